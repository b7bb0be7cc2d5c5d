# Writes the memberships and merge heights that R gives for Ward's rule on Euclidean distances
# of sample tables, for the end-to-end tests to compare the program's cuts with.
#
#   Rscript ward_cutree.R EXAMPLES_FOLDER OUTPUT_FOLDER
#
# The program's Ward rule updates the dissimilarities themselves by Lance and Williams' formula
# (not their squares), which is hclust's "ward.D" on dist(x). For each table and side it writes
# NAME_ward_SIDE.txt: a header "label<TAB>k2<TAB>k3...", then one line per item in the file's
# order with cutree's cluster for each K (cutree numbers clusters by first appearance in that
# order), and NAME_ward_SIDE_heights.txt: the merge heights in increasing order, 17 digits.
args <- commandArgs(trailingOnly = TRUE)
examples <- args[1]
out <- args[2]
ks <- c(2, 3, 4, 5, 6, 8)
cases <- list(
  list(file = "usarrests_numeric.txt", side = "rows"),
  list(file = "iris_numeric.txt", side = "rows"),
  list(file = "mtcars_numeric.txt", side = "rows"),
  list(file = "mtcars_numeric.txt", side = "columns"),
  list(file = "airquality_missing_numeric.txt", side = "rows")
)
for (case in cases) {
  x <- read.delim(file.path(examples, case$file), row.names = 1, check.names = FALSE)
  if (case$side == "columns") x <- t(x)
  h <- hclust(dist(x), "ward.D")
  memberships <- sapply(ks, function(k) cutree(h, k))
  colnames(memberships) <- paste0("k", ks)
  name <- sub("_numeric.txt$|_missing_numeric.txt$", "", case$file)
  base <- file.path(out, paste0(name, "_ward_", case$side))
  table <- data.frame(label = rownames(x), memberships, check.names = FALSE)
  write.table(table, paste0(base, ".txt"), sep = "\t", quote = FALSE, row.names = FALSE,
              eol = "\n")
  writeLines(sprintf("%.17g", sort(h$height)), paste0(base, "_heights.txt"), sep = "\n")
}
