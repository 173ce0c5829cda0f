#include <gtest/gtest.h>

#include "replay/replay.h"
#include "shell/form3.h"
#include "shell/form5.h"
#include "shell/frm_login.h"
#include "shell/module21.h"
#include "support/harness.h"

namespace kestrava {
namespace {

using testing::Harness;

class Startup : public ::testing::Test {
 protected:
  Harness h;
  void SetUp() override { MODULE21_Main(h.app); }
  bool shown(const form::Window* w) const { return w && w->shown(); }
  Form5* splash() const { return h.app.find<Form5>(); }
  frmLogin* login() const { return h.app.find<frmLogin>(); }
  Form3* menu() const { return h.app.find<Form3>(); }
};

TEST_F(Startup, TheSplashComesFirstAndAlone) {
  EXPECT_TRUE(shown(splash()));
  EXPECT_EQ(splash()->caption(), "Kestrava");
  EXPECT_EQ(splash()->lblTitle.caption(), "Kestrava for Corvane");
  EXPECT_EQ(splash()->lblVersion.caption(), "VER 5.14.01");
  EXPECT_EQ(splash()->lblDate.caption(), "03/19/2003");
  EXPECT_EQ(h.app.shownWindowCount(), 1);
}

TEST_F(Startup, AfterTenSecondsThePasswordChallengeHasTheFocusInThePasswordBox) {
  h.advance(9999);
  EXPECT_TRUE(shown(splash()));
  EXPECT_EQ(login(), nullptr);
  h.advance(1);
  EXPECT_EQ(splash(), nullptr);
  ASSERT_TRUE(shown(login()));
  EXPECT_EQ(login()->caption(), "Password challenge");
  EXPECT_EQ(login()->activeControl(), &login()->txtPassword);
  EXPECT_EQ(menu(), nullptr);
}

TEST_F(Startup, AClickAtTwoSecondsOpensTheMenuAndNoChallengeFollows) {
  h.advance(2000);
  h.run([&] { splash()->click(); });
  EXPECT_EQ(splash(), nullptr);
  ASSERT_TRUE(shown(menu()));
  h.advance(20000);
  EXPECT_EQ(login(), nullptr);
}

TEST_F(Startup, AKeyOnTheSplashOpensTheMenu) {
  h.run([&] { splash()->pressKey(nullptr, 'X', 0, 'x'); });
  EXPECT_TRUE(shown(menu()));
  h.advance(20000);
  EXPECT_EQ(login(), nullptr);
}

TEST_F(Startup, ClosingTheSplashByItsFrameEndsTheProgram) {
  h.run([&] { h.app.userClose(*splash()); });
  EXPECT_TRUE(h.app.ended());
}

class Login : public Startup {
 protected:
  void SetUp() override {
    Startup::SetUp();
    h.advance(10000);
  }
  void type(const std::string& text) {
    for (char c : text) h.run([&] { login()->pressKey(&login()->txtPassword, 0, 0, c); });
  }
  void enter() {
    h.run([&] { login()->pressKey(login()->activeControl(), form::kKeyReturn, 0, 13); });
  }
};

TEST_F(Login, TheRightPasswordAndEnterOpenTheMenu) {
  type("460317");
  enter();
  EXPECT_EQ(login(), nullptr);
  EXPECT_TRUE(shown(menu()));
  EXPECT_TRUE(h.platform.boxes().empty());
}

TEST_F(Login, AWrongOrEmptyPasswordIsRefusedAndSelectedForRetyping) {
  for (const std::string attempt : {"46031", "", "460317 "}) {
    h.run([&] { login()->txtPassword.setText(""); });
    type(attempt);
    const std::size_t before = h.platform.boxes().size();
    h.run([&] { login()->cmdOK.click(); });
    ASSERT_EQ(h.platform.boxes().size(), before + 1) << "'" << attempt << "'";
    const auto& box = h.platform.boxes().back().box;
    EXPECT_EQ(box.text, "Invalid Password, try again!");
    EXPECT_EQ(box.title, "Login");
    EXPECT_EQ(box.buttons, form::Buttons::OK);
    ASSERT_TRUE(shown(login()));
    EXPECT_EQ(login()->activeControl(), &login()->txtPassword);
    EXPECT_EQ(login()->txtPassword.selStart(), 0);
    EXPECT_EQ(login()->txtPassword.selText(), attempt);
    EXPECT_EQ(menu(), nullptr);
  }
  type("460317");  // the selection is replaced by the typing
  enter();
  EXPECT_TRUE(shown(menu()));
}

TEST_F(Login, FocusEnteringTheUserNameOpensTheMenuUnchecked) {
  h.run([&] { login()->txtUserName.setFocus(); });
  EXPECT_EQ(login(), nullptr);
  EXPECT_TRUE(shown(menu()));
}

TEST_F(Login, EscapeOrCancelEndsTheProgram) {
  h.run([&] { login()->pressKey(&login()->txtPassword, form::kKeyEscape, 0, 27); });
  EXPECT_TRUE(h.app.ended());
  Harness other;
  MODULE21_Main(other.app);
  other.advance(10000);
  other.run([&] { other.app.find<frmLogin>()->cmdCancel.click(); });
  EXPECT_TRUE(other.app.ended());
}

class Menu : public Startup {
 protected:
  void SetUp() override {
    Startup::SetUp();
    h.run([&] { splash()->click(); });
  }
};

TEST_F(Menu, ItemsAsDesigned) {
  EXPECT_EQ(menu()->caption(), "Kestrava Menu");
  EXPECT_EQ(menu()->mnuCar.caption(), "&Car diagnostics");
  EXPECT_TRUE(menu()->mnuCar.enabled());
  EXPECT_EQ(menu()->mnuDispatch.caption(), "&dispatcher diagnostics");
  EXPECT_FALSE(menu()->mnuDispatch.enabled());
  EXPECT_EQ(menu()->mnuReplay.caption(), "&Replay");
  h.run([&] { menu()->mnuDispatch.click(); });
  EXPECT_EQ(h.app.shownWindowCount(), 1);
}

TEST_F(Menu, CarDiagnosticsShowsTheOneTerminalWindowAndTheMenuStays) {
  h.run([&] { menu()->mnuCar.click(); });
  Form1* first = h.app.find<Form1>();
  ASSERT_TRUE(shown(first));
  h.run([&] { menu()->mnuCar.click(); });
  EXPECT_EQ(h.app.find<Form1>(), first);
  EXPECT_TRUE(shown(menu()));
  h.run([&] { menu()->mnuReplay.click(); });
  EXPECT_TRUE(shown(h.app.find<Replay>()));
}

TEST_F(Menu, ClosingTheMenuEndsAtOnceWithoutTheDrainQuestion) {
  h.run([&] { menu()->mnuCar.click(); });
  h.openPort();
  h.port->setDraining(false);
  h.run([&] { (void)h.port->Output("pending"); });
  h.run([&] { h.app.userClose(*menu()); });
  EXPECT_TRUE(h.app.ended());
  EXPECT_TRUE(h.platform.boxes().empty());
  EXPECT_EQ(h.platform.nowMs(), 0);
}

TEST_F(Menu, ClosingTheReplayWindowBringsTheMenuForward) {
  h.run([&] { menu()->mnuReplay.click(); });
  h.run([&] { h.app.userClose(*h.app.find<Replay>()); });
  EXPECT_EQ(h.app.find<Replay>(), nullptr);
  EXPECT_TRUE(shown(menu()));
  EXPECT_FALSE(h.app.ended());
}

}  // namespace
}  // namespace kestrava
