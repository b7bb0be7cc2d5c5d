// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/AnnotationLoad.h"

#include "base/Services.h"
#include "data/Annotations.h"
#include "document/QuorvelDoc.h"

namespace {

const char* ItemsOf(bool rows) {
  return rows ? "rows" : "columns";
}

}  // namespace

bool AttachAnnotations(CQuorvelDoc& document, const std::string& path, EAnnotatedSide side) {
  if (!document.data) return false;
  CAnnotationTable table;
  if (const std::string failure = ReadAnnotationFile(path, table); !failure.empty()) {
    document.Services().ShowMessageBox(failure);
    return false;
  }
  const CData& data = *document.data;
  CSideAnnotations rows;
  CSideAnnotations columns;
  if (side != EAnnotatedSide::kColumns) rows = MatchAnnotations(table, data.rowLabels);
  if (side != EAnnotatedSide::kRows) columns = MatchAnnotations(table, data.columnLabels);
  const bool onRows = side == EAnnotatedSide::kRows || (side == EAnnotatedSide::kBestMatch &&
                                                        rows.matchedItems >= columns.matchedItems);
  CSideAnnotations& matched = onRows ? rows : columns;
  if (matched.matchedItems == 0 && side == EAnnotatedSide::kBestMatch) {
    document.Services().ShowNotice(
        "NOTE", path +
                    ": no label of the file names a row or a column of the table, so no "
                    "annotation is shown. The first column must hold the labels exactly as "
                    "the table has them.");
    return false;
  }
  if (const std::string notice = AnnotationNotice(matched, ItemsOf(onRows)); !notice.empty()) {
    document.Services().ShowNotice("NOTE", notice);
  }
  if (!matched.Shown()) return false;
  (onRows ? document.rowAnnotations : document.columnAnnotations) = std::move(matched);
  return true;
}

void AttachAnnotationsOfSettings(CQuorvelDoc& document) {
  const std::string& rows = document.settings.rowAnnotationsFileName;
  const std::string& columns = document.settings.columnAnnotationsFileName;
  if (!rows.empty() && !AttachAnnotations(document, rows, EAnnotatedSide::kRows)) {
    document.outputFailed = true;
  }
  if (!columns.empty() && !AttachAnnotations(document, columns, EAnnotatedSide::kColumns)) {
    document.outputFailed = true;
  }
}

void OpenAnnotations(CQuorvelDoc& document) {
  const std::optional<std::string> path =
      document.Services().AskOpenFileName(AnnotationFileFilter());
  if (!path || path->empty()) return;
  if (AttachAnnotations(document, *path, EAnnotatedSide::kBestMatch)) document.UpdateAllViews();
}

std::string AnnotationFileFilter() {
  return "Annotation Files (*.txt;*.tsv;*.csv)|*.txt; *.tsv; *.csv|All Files (*.*)|*.*||";
}
