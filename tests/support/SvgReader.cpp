// SPDX-License-Identifier: GPL-3.0-or-later
#include "SvgReader.h"

#include <expat.h>

namespace {

struct CState {
  CSvgReading* reading;
  std::vector<size_t> open;          // indices of the open elements
  std::vector<std::string> classes;  // class of each open group
};

void StartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& state = *static_cast<CState*>(data);
  CSvgElement element;
  element.name = name;
  for (int k = 0; attributes[k]; k += 2)
    element.attributes[attributes[k]] = attributes[k + 1];
  element.groupClass = state.classes.empty() ? "" : state.classes.back();
  if (element.name == "g") state.classes.push_back(element.Attribute("class"));
  state.open.push_back(state.reading->elements.size());
  state.reading->elements.push_back(std::move(element));
}

void EndElement(void* data, const XML_Char* name) {
  auto& state = *static_cast<CState*>(data);
  if (std::string_view(name) == "g" && !state.classes.empty()) state.classes.pop_back();
  if (!state.open.empty()) state.open.pop_back();
}

void CharacterData(void* data, const XML_Char* text, int length) {
  auto& state = *static_cast<CState*>(data);
  if (state.open.empty()) return;
  state.reading->elements[state.open.back()].text.append(text, static_cast<size_t>(length));
}

}  // namespace

std::string CSvgElement::Attribute(const std::string& key) const {
  const auto found = attributes.find(key);
  return found == attributes.end() ? std::string() : found->second;
}

int CSvgReading::Count(std::string_view name) const {
  int count = 0;
  for (const CSvgElement& element : elements)
    count += element.name == name ? 1 : 0;
  return count;
}

int CSvgReading::CountInGroup(std::string_view name, std::string_view groupClass) const {
  int count = 0;
  for (const CSvgElement& element : elements)
    count += element.name == name && element.groupClass == groupClass ? 1 : 0;
  return count;
}

std::vector<std::string> CSvgReading::Texts() const {
  std::vector<std::string> texts;
  for (const CSvgElement& element : elements) {
    if (element.name == "text") texts.push_back(element.text);
  }
  return texts;
}

CSvgReading ReadSvg(std::string_view text) {
  CSvgReading reading;
  CState state{&reading, {}, {}};
  XML_Parser parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(parser, &state);
  XML_SetElementHandler(parser, StartElement, EndElement);
  XML_SetCharacterDataHandler(parser, CharacterData);
  reading.wellFormed =
      XML_Parse(parser, text.data(), static_cast<int>(text.size()), XML_TRUE) == XML_STATUS_OK;
  if (!reading.wellFormed) {
    reading.error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                    std::to_string(XML_GetCurrentLineNumber(parser));
  }
  XML_ParserFree(parser);
  return reading;
}
