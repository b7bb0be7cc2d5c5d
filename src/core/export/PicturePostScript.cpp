#include "export/PicturePostScript.h"

#include "export/PostScriptDC.h"
#include "export/PostScriptFile.h"
#include "render/HeatMapPicture.h"

bool WritePicturePostScript(CHeatMapPicture& picture, const std::string& path, std::string* error) {
  return WritePostScript(
      path, [&](CPostScriptDC& device) { picture.DrawPicture(device, false); }, error);
}
