#include "shell/frm_login.h"

#include "shell/app.h"
#include "shell/form3.h"

namespace kestrava {

frmLogin::frmLogin(App& app)
    : form::Window(app, "frmLogin", "Password challenge"),
      lblLabels_0(*this, "lblLabels(0)", {105, 150, 1080, 270}, "&User Name:"),
      lblLabels_1(*this, "lblLabels(1)", {105, 540, 1080, 270}, "&Password:"),
      txtUserName(*this, "txtUserName", {1290, 135, 2325, 345}),
      txtPassword(*this, "txtPassword", {1290, 525, 2325, 345}),
      cmdOK(*this, "cmdOK", {495, 1020, 1140, 390}, "OK"),
      cmdCancel(*this, "cmdCancel", {2100, 1020, 1140, 390}, "Cancel"),
      Label1(*this, "Label1", {105, 1545, 3510, 255}, "Created 11/18/2008"),
      Label2(*this, "Label2", {105, 1800, 3510, 255}, "Service tool for Corvane controllers"),
      app_(app) {
  setDesign(3750, 2130, form::BorderStyle::Fixed, form::kSystemButtonFace, form::Font{});
  // On screen the user-name row is on top, but the tab order starts at the password.
  lblLabels_1.setTabIndex(0);
  txtPassword.setTabIndex(1);
  lblLabels_0.setTabIndex(2);
  txtUserName.setTabIndex(3);
  cmdOK.setTabIndex(4);
  cmdCancel.setTabIndex(5);
  Label1.setTabIndex(6);
  Label2.setTabIndex(7);
  for (form::Label* label : {&lblLabels_0, &lblLabels_1, &Label1, &Label2}) {
    label->setBackColor(form::kSystemButtonFace);
  }
  txtPassword.setPasswordChar('*');
  setDefaultButton(cmdOK);
  setCancelButton(cmdCancel);
  cmdOK.Click = [this] { frmLogin_cmdOK_Click(); };
  cmdCancel.Click = [this] { frmLogin_cmdCancel_Click(); };
  txtUserName.GotFocus = [this] { frmLogin_txtUserName_GotFocus(); };
}

void frmLogin::frmLogin_cmdOK_Click() {
  if (txtPassword.text() == kPassword) {
    app_.show(app_.form3());
    app_.unload(*this);
    return;
  }
  app_.msgBox("Invalid Password, try again!", form::Buttons::OK, form::Icon::None, "Login");
  txtPassword.setFocus();
  txtPassword.setSelStart(0);
  txtPassword.setSelLength(txtPassword.length());
}

void frmLogin::frmLogin_cmdCancel_Click() {
  app_.endProgram();
}

void frmLogin::frmLogin_txtUserName_GotFocus() {
  app_.unload(*this);
  app_.show(app_.form3());
}

}  // namespace kestrava
