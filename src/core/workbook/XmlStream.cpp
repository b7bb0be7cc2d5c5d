// SPDX-License-Identifier: GPL-3.0-or-later
// Expat with namespace processing (names arrive as "uri|local"); only the local part is handed
// on. Expat's own limits guard against entity expansion. Cost: linear in the member's bytes.
#include "workbook/XmlStream.h"

#include <expat.h>

#include <cstring>

#include "workbook/ZipArchive.h"

namespace {

constexpr char kSeparator = '|';

std::string_view LocalName(const char* name) {
  const char* bar = std::strrchr(name, kSeparator);
  return bar ? std::string_view(bar + 1) : std::string_view(name);
}

struct CExpatContext {
  XML_Parser parser;
  CXmlHandler* handler;
};

void CheckDone(CExpatContext* context) {
  if (context->handler->done) XML_StopParser(context->parser, XML_FALSE);
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto* context = static_cast<CExpatContext*>(data);
  context->handler->Start(LocalName(name), attributes);
  CheckDone(context);
}

void XMLCALL OnEnd(void* data, const XML_Char* name) {
  auto* context = static_cast<CExpatContext*>(data);
  context->handler->End(LocalName(name));
  CheckDone(context);
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  auto* context = static_cast<CExpatContext*>(data);
  context->handler->Text(std::string_view(text, static_cast<size_t>(length)));
  CheckDone(context);
}

}  // namespace

const char* XmlAttribute(const char** attributes, std::string_view name) {
  for (const char** pair = attributes; pair && pair[0]; pair += 2) {
    if (LocalName(pair[0]) == name) return pair[1];
  }
  return nullptr;
}

bool ParseXmlMember(CZipArchive& zip, const std::string& member, CXmlHandler& handler,
                    std::string* error) {
  XML_Parser parser = XML_ParserCreateNS(nullptr, kSeparator);
  if (!parser) {
    if (error) *error = "no memory for the XML parser";
    return false;
  }
  CExpatContext context{parser, &handler};
  XML_SetUserData(parser, &context);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  bool malformed = false;
  const bool read = zip.Read(member, [&](std::string_view piece) {
    if (XML_Parse(parser, piece.data(), static_cast<int>(piece.size()), XML_FALSE) ==
        XML_STATUS_ERROR) {
      malformed = !handler.done;
      return false;
    }
    return !handler.done;
  });
  bool ok = handler.done;
  if (!ok && read && !malformed) {
    ok = XML_Parse(parser, nullptr, 0, XML_TRUE) != XML_STATUS_ERROR;
    malformed = !ok;
  }
  if (!ok && error) {
    if (malformed) {
      *error = member + ": " + XML_ErrorString(XML_GetErrorCode(parser)) + " at line " +
               std::to_string(XML_GetCurrentLineNumber(parser));
    } else {
      *error = member + " is missing or damaged";
    }
  }
  XML_ParserFree(parser);
  return ok;
}
