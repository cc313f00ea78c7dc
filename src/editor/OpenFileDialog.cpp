#include "editor/OpenFileDialog.h"

#include <algorithm>

#include "platform/Platform.h"

std::string DialogFilter(const std::string& filter) {
  std::string converted = filter;
  std::replace(converted.begin(), converted.end(), '|', '\0');
  converted.append(2, '\0');
  return converted;
}

bool OpenFileDialog::ShowOpen() {
  platform::OpenFileRequest request;
  request.title = DialogTitle;
  request.filter = DialogFilter(Filter);
  request.filterIndex = FilterIndex;
  request.fileName = FileName;
  request.flags = Flags;
  if (!platform::Os().dialogs.ShowOpenFile(request)) return false;
  FileName = request.fileName;
  FilterIndex = request.filterIndex;
  return true;
}
