# Reads a table as an analyst would and writes what R saw, for readback_tsv.py to judge:
#   Rscript readback_tsv.R TSV DUMP
# DUMP: the column names, then per row its name and the values in hex (%a), NA for missing.
args <- commandArgs(trailingOnly = TRUE)
x <- read.delim(args[1], row.names = 1, check.names = FALSE)
out <- file(args[2], open = "w", encoding = "UTF-8")
writeLines(paste(names(x), collapse = "\t"), out)
for (i in seq_len(nrow(x))) {
  values <- vapply(x[i, ], function(v) if (is.na(v)) "NA" else sprintf("%a", as.numeric(v)), "")
  writeLines(paste(c(rownames(x)[i], values), collapse = "\t"), out)
}
close(out)
