// What every backend's window keeps alike: the template it is made from,
// which names it, and the dialog procedure's own data.
#pragma once

#include "layouts/dialog_template.h"
#include "ui/dialog.h"

class TemplateWindow : public Window {
 public:
  int TemplateId() const final { return dialog_.id; }
  void SetUserData(void* data) final { userData_ = data; }
  void* UserData() const final { return userData_; }

 protected:
  explicit TemplateWindow(const DialogTemplate& dialog) : dialog_(dialog) {}
  const DialogTemplate& Template() const { return dialog_; }

 private:
  const DialogTemplate& dialog_;
  void* userData_ = nullptr;
};
