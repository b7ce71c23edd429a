// Feeds arbitrary bytes to the form-data reader, with a root that publishes a
// handler, a composer class and a class with every kind of property. What it
// accepts must write back and read again to the same bytes; the things hold a
// graphics collection as a nested object. No widget is made,
// so no display and no application object are needed.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/Stream.h"
#include "forms/core/Filer.h"
#include "forms/core/FormData.h"
#include "skin/VsComposer.h"

namespace {

class FuzzThing : public forms::TComponent {
 public:
  using forms::TComponent::TComponent;
  const char* ClassName() const override { return "TFuzzThing"; }
  void DefineProperties(forms::Filer& f) override {
    f.bindInteger("Number", number_, 0);
    f.bindBoolean("Flag", flag_, true);
    f.bindString("Text", text_);
    f.defineIdent("Kind", [this] { return kind_; }, [this](const std::string& v) { kind_ = v; }, "kOne");
    f.defineSet("Options", [this] { return options_; }, [this](const forms::Filer::Strings& v) { options_ = v; });
    f.defineStrings("Lines", [this] { return lines_; }, [this](const forms::Filer::Strings& v) { lines_ = v; });
    f.defineComponent("Other", [this] { return other_; }, [this](forms::TComponent* const& v) {
      if (other_ != nullptr) other_->RemoveFreeNotification(this);
      other_ = v;
      if (other_ != nullptr) other_->FreeNotification(this);
    });
    f.defineEvent("OnPing", onPing_);
    f.defineObject("Pictures", pictures_);
  }
  void Notification(forms::TComponent* c, forms::TOperation op) override {
    forms::TComponent::Notification(c, op);
    if (op == forms::TOperation::opRemove && c == other_) other_ = nullptr;
  }

 protected:
  ~FuzzThing() override = default;

 private:
  int32_t number_ = 0;
  bool flag_ = true;
  std::string text_;
  std::string kind_ = "kOne";
  std::vector<std::string> options_;
  std::vector<std::string> lines_;
  forms::TComponent* other_ = nullptr;
  forms::TNotifyEvent onPing_;
  skin::TVsGraphics pictures_;
};

class FuzzRoot : public forms::TComponent {
 public:
  FuzzRoot() : forms::TComponent(nullptr) { PublishMethod<forms::TObject*>("Ping", [](forms::TObject*) {}); }
  const char* ClassName() const override { return "TFuzzRoot"; }

 protected:
  ~FuzzRoot() override = default;
};

std::vector<uint8_t> save(forms::TComponent& root) {
  base::MemoryStream s;
  forms::WriteComponent(s, root);
  return s.bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = [] {
    skin::RegisterSkinClasses();
    forms::RegisterClass<FuzzThing>("TFuzzThing");
    return true;
  }();
  (void)registered;

  const forms::ComponentPtr<FuzzRoot> root(new FuzzRoot);
  base::ConstMemoryStream in(data, size);
  try {
    forms::ReadComponent(in, *root);
  } catch (const base::Exception&) {
    if (root->ComponentCount() != 0 || root->ComponentState() != 0) std::abort();
    return 0;
  }
  const std::vector<uint8_t> first = save(*root);
  const forms::ComponentPtr<FuzzRoot> again(new FuzzRoot);
  base::ConstMemoryStream in2(first.data(), first.size());
  forms::ReadComponent(in2, *again);
  if (save(*again) != first) std::abort();
  return 0;
}
