#pragma once
// The system's open-file dialog with the settings kept between two uses, the
// way the editor needs it: the filter written as "text|pattern|text|pattern",
// and the entry the user last confirmed a file under preselected next time.

#include <cstdint>
#include <string>

class OpenFileDialog {
 public:
  std::string DialogTitle;
  std::string Filter;
  std::string FileName;           // the initial name; after a choice, the file's full path
  std::uint32_t FilterIndex = 1;  // from 1
  std::uint32_t Flags = 0;

  // Shows the dialog and waits for it; true when a file was chosen. A cancel or
  // a failure changes nothing.
  bool ShowOpen();
};

// "a|b|c|d" as the system's dialog takes it: every "|" a NUL, two NULs at the end.
std::string DialogFilter(const std::string& filter);
