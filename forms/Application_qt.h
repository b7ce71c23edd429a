// The Qt side of the application object.
#pragma once

#include <QApplication>
#include <memory>

namespace forms::native {

class Application {
 protected:
  std::unique_ptr<QApplication> application_;
};

}  // namespace forms::native
