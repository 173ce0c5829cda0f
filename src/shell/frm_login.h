#pragma once

#include "runtime/window.h"

namespace kestrava {

class App;

inline constexpr const char* kPassword = "460317";

// The password challenge. The password box comes first in the tab order, so it has the focus
// when the window opens; moving the focus to the user-name box opens the menu without a check.
class frmLogin : public form::Window {
 public:
  explicit frmLogin(App& app);

  void frmLogin_cmdOK_Click();
  void frmLogin_cmdCancel_Click();
  void frmLogin_txtUserName_GotFocus();

  form::Label lblLabels_0;  // "&User Name:"
  form::Label lblLabels_1;  // "&Password:"
  form::TextBox txtUserName;
  form::TextBox txtPassword;
  form::Button cmdOK;
  form::Button cmdCancel;
  form::Label Label1;
  form::Label Label2;

 private:
  App& app_;
};

}  // namespace kestrava
