# Reads a Newick tree with ape and prints the heights of as.hclust in hex, one a line:
#   Rscript readback_newick.R NEWICK
# as.hclust stops when the tree is not ultrametric, binary and rooted.
suppressPackageStartupMessages(library(ape))
tree <- read.tree(commandArgs(trailingOnly = TRUE)[1])
if (!is.ultrametric(tree)) stop("the tree is not ultrametric")
writeLines(sprintf("%a", as.hclust(tree)$height))
