#pragma once

#include "settings/DisplaySettings.h"
#include "settings/TreatmentSettings.h"

class CServices;

// What the lower layers need of the document that owns them: its settings copies, its services
// and a few hooks. The document of the pipeline derives from it; tests use it as it is.
class CDocumentContext {
 public:
  explicit CDocumentContext(CServices& services);
  virtual ~CDocumentContext() = default;
  CDocumentContext(const CDocumentContext&) = delete;
  CDocumentContext& operator=(const CDocumentContext&) = delete;

  CServices& Services() const { return *services_; }

  // Repaints the window that shows a running seriation (improvement loops, centroid steps).
  virtual void RepaintActiveView() {}

  TreatmentSettings settings;
  DisplaySettings display;
  // Set by a discrete seriation that refused its sequence for its size, so that the window
  // opened for the result is closed again.
  bool seriationRefusedForSize = false;

 private:
  CServices* services_;
};
