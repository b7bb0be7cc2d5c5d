#pragma once

#include <string>
#include <string_view>

struct CExportFormat;

// The SVG export's code (ExportFileFormat).
inline constexpr int kSvgExportFormat = 7;

// The file an export keyword writes for the name given with it. The SVG keyword writes exactly
// that name; the older formats cut it at the first point of its file name and add their
// extension ("plot.v2.png" writes "plot.png").
std::string CommandLineExportName(const CExportFormat& format, std::string_view given);
