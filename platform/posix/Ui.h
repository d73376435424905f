// Message boxes and the wait cursor of the native build, which has no window system.
#pragma once

#include <memory>

#include "platform/Ui.h"
#include "platform/posix/Answerers.h"

namespace vendrel::platform {

// Hands every box to the answerer the program installed; the answerer is borrowed.
class AnsweredMessageBoxes final : public MessageBoxes {
 public:
  explicit AnsweredMessageBoxes(Answerer& answerer) : answerer_(&answerer) {}
  void Install(Answerer& answerer) { answerer_ = &answerer; }
  Answer Show(const MessageBoxRequest& request) override { return answerer_->Reply(request); }

 private:
  Answerer* answerer_;
};

// Hands every button box to the answerer the program installed; the answerer is borrowed.
class AnsweredButtonBoxes final : public ButtonBoxes {
 public:
  explicit AnsweredButtonBoxes(Answerer& answerer) : answerer_(&answerer) {}
  void Install(Answerer& answerer) { answerer_ = &answerer; }
  std::int32_t Show(const ButtonBoxRequest& request) override { return answerer_->Press(request); }

 private:
  Answerer* answerer_;
};

// Hands every file dialog to the answerer the program installed; the answerer is borrowed.
class AnsweredFileDialogs final : public FileDialogs {
 public:
  explicit AnsweredFileDialogs(Answerer& answerer) : answerer_(&answerer) {}
  void Install(Answerer& answerer) { answerer_ = &answerer; }
  std::optional<std::wstring> Choose(const FileDialogRequest& request) override {
    return answerer_->ChooseFile(request);
  }

 private:
  Answerer* answerer_;
};

// Nothing to show; counts the open scopes, which must not outlive this object.
class NestingWaitCursor final : public WaitCursor {
 public:
  [[nodiscard]] std::unique_ptr<WaitCursor> Begin() override;
  int Depth() const { return depth_; }

 private:
  int depth_ = 0;
};

}  // namespace vendrel::platform
