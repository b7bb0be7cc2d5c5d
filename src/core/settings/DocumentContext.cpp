#include "settings/DocumentContext.h"

CDocumentContext::CDocumentContext(CServices& services) : services_(&services) {
  settings.document = this;
}
