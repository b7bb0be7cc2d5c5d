#pragma once

class CData;

// Binds the row and the column dissimilarity matrices of a read and prepared table to the table
// and its document and allocates them (rows × rows and columns × columns, every entry 0). Gives
// the table the program's measures when nobody chose others.
void PrepareDistanceMatrices(CData& data);

// Fill the row (or column) matrix: read from the file named by RowDissimilarityFileName
// (ColDissimilarityFileName) when Dissimilarity is 10, otherwise computed by the table's
// measures with the progress window "Computing distances matrix." from 1001 items on; then the
// matrix's sums. Return 1, or 0 when the computation was stopped (its message was shown; the
// loader then ends the program with status 1). A bad dissimilarity file ends the program.
int ComputeRowDistances(CData& data);
int ComputeColumnDistances(CData& data);
