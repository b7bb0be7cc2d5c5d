// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The manual page quorvel(1) in roff with the man macros, made from the text the program prints
// for --help, so that the page and the program always list the same keywords. The usage text is
// read line by line:
//  - a line beginning with "usage:" is a line of the SYNOPSIS;
//  - until the first heading, other lines are prose of the DESCRIPTION; a blank line ends a
//    paragraph;
//  - a heading is an unindented line ending in ":" that follows a blank line (or opens the text)
//    or is followed by an option item; the first heading opens OPTIONS and each one becomes a
//    subsection;
//  - an indented line whose text begins with "-" is an option item: up to the first run of two
//    blanks is the term (words beginning with "-" in bold, upper-case placeholders in italics),
//    the rest its description; more deeply indented lines right after it continue the
//    description;
//  - any other indented line is shown as written; any other unindented line is prose.
// Fixed sections follow: EXIT STATUS, ENVIRONMENT, FILES, EXAMPLES and SEE ALSO.
std::string ManPageText(const std::string& usageText, const std::string& version);

// `text` made safe as the words of a roff text line: a backslash becomes "\e", a hyphen that is
// not between two letters or digits becomes "\-" (so that options print and copy as ASCII
// hyphens), and a leading "." or "'" (which would start a request) is guarded with "\&".
std::string RoffEscape(const std::string& text);
