// What an export or the web album reports, shown in message boxes: notices,
// failures and a stop, the wait cursor lifted while a box is up.
#pragma once

#include <functional>

#include "album/ExportAll.h"
#include "forms/Dialogs.h"

namespace app {

class BoxReport : public album::ExportReport {
 public:
  BoxReport(forms::UserInterface& ui, std::function<void(size_t, size_t)> onProgress)
      : ui_(ui), onProgress_(std::move(onProgress)) {}
  void progress(size_t done, size_t total) override { onProgress_(done, total); }
  void message(const std::string& text) override;
  void error(const std::string& text) override;
  void stop(const std::string& text) override;

 private:
  forms::UserInterface& ui_;
  std::function<void(size_t, size_t)> onProgress_;
};

}  // namespace app
