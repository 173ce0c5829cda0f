// The windows as designed: every named control at its place (twips / 15 = pixels), with its
// caption and visibility, checked on the real widgets offscreen.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "link/config_scrn.h"
#include "link/form1.h"
#include "link/testing/test_comm_control.h"
#include "replay/replay.h"
#include "shell/app.h"
#include "shell/form3.h"
#include "shell/form5.h"
#include "shell/frm_login.h"
#include "ui/qt_platform.h"
#include "ui/window_view.h"

using namespace kestrava;

namespace {

struct Designed {
  const char* name;
  int left, top, width, height;  // twips; -1 where the design leaves it open
  const char* caption;           // nullptr where there is none to check
  bool visible;
};

// Places and captions as the windows were designed.
const std::vector<Designed> kForm1 = {
    {"Term", 5520, 360, 9495, 3975, nullptr, true},
    {"Text1", -1, -1, -1, -1, nullptr, false},
    {"Label2", -1, -1, -1, -1, "Status - ", true},
    {"Label1", -1, -1, -1, -1, "", true},
    {"Label3", 3000, 4440, 375, 375, "", true},
    {"Label4", 9960, 5760, 375, 375, "", true},
    {"Label5", 9960, 6240, 375, 375, "", true},
    {"Picture1", 5520, 240, 5895, 4095, nullptr, false},
    {"Command1", -1, -1, -1, -1, "pmi 1", true},
    {"Command2", -1, -1, -1, -1, "reset", true},
    {"Command3", -1, -1, -1, -1, "DOB", true},
    {"Command4", -1, -1, -1, -1, "ST&U", true},
    {"Command5", -1, -1, -1, -1, "ST&D", true},
    {"Command6", -1, -1, -1, -1, "stress", true},
    {"txtvel", 7440, 4440, 495, 285, "", true},
    {"Text2", 8880, 5160, 615, 375, "", true},
    {"txtbbt", 6000, 4440, 615, 285, "", true},
    {"Text5", 4080, 4800, 2295, 855, "", true},
    {"txtpos", 6720, 4440, 495, 285, "", true},
    {"txtdpc", 4200, 4440, 735, 285, "", true},
    {"Text3", -1, -1, -1, -1, "", false},
    {"Text4", -1, -1, -1, -1, "5", true},
};

const std::vector<Designed> kConfigScrn = {
    {"Text1", 240, 960, 1335, 375, "1200,n,8,1", true},
    {"Label1", 240, 720, 1335, 255, "Settings", true},
    {"Label2", 1920, 720, 1335, 255, "Comm Port", true},
    {"Text2", 1920, 960, 975, 375, "1", true},
};

const std::vector<Designed> kReplay = {
    {"Term", 5520, 360, 9495, 3975, "", true},   {"Picture1", 5520, 240, 5895, 4095, nullptr, true},
    {"txtvel", 7440, 4440, 495, 285, "", true},  {"Text2", 8880, 5160, 615, 375, "", true},
    {"txtbbt", 6000, 4440, 615, 285, "", true},  {"txtpos", 6720, 4440, 495, 285, "", true},
    {"txtdpc", 4200, 4440, 735, 285, "", true},  {"Label2", -1, -1, -1, -1, "Status - ", true},
    {"Option1", -1, -1, -1, -1, "Fast", true},   {"Option2", -1, -1, -1, -1, "Med", true},
    {"Option3", -1, -1, -1, -1, "Slow", true},   {"Option4", -1, -1, -1, -1, "Pause", true},
    {"Command1", -1, -1, -1, -1, "-->", true},   {"Text5", -1, -1, -1, -1, "1000", true},
    {"HScroll1", -1, -1, -1, -1, nullptr, true},
};

const std::vector<Designed> kLogin = {
    {"lblLabels(1)", -1, -1, -1, -1, "&Password:", true},
    {"txtPassword", -1, -1, -1, -1, "", true},
    {"lblLabels(0)", -1, -1, -1, -1, "&User Name:", true},
    {"txtUserName", -1, -1, -1, -1, "", true},
    {"cmdOK", -1, -1, -1, -1, "OK", true},
    {"cmdCancel", -1, -1, -1, -1, "Cancel", true},
    {"Label1", -1, -1, -1, -1, "Created 11/18/2008", true},
};

const std::vector<Designed> kSplash = {
    {"lblTitle", -1, -1, -1, -1, "Kestrava for Corvane", true},
    {"lblVersion", -1, -1, -1, -1, "VER 5.14.01", true},
    {"lblDate", -1, -1, -1, -1, "03/19/2003", true},
};

// The grid: nine columns of sixteen labels, 375 x 255 twips, rows 240 twips apart from 360.
constexpr int kColumnLeft[9] = {0, 480, 960, 1440, 1920, 2400, 2880, 3360, 4875};

QString textOf(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  return {};
}

void checkWindow(QWidget* view, const std::vector<Designed>& design) {
  QVERIFY(view);
  for (const Designed& d : design) {
    auto* w = view->findChild<QWidget*>(d.name);
    QVERIFY2(w, d.name);
    if (d.left >= 0) {
      QCOMPARE(w->geometry(), QRect(d.left / 15, d.top / 15, d.width / 15, d.height / 15));
    }
    if (d.caption) QCOMPARE(textOf(w), QString(d.caption));
    QVERIFY2(w->isVisibleTo(view) == d.visible, d.name);
  }
}

void checkGrid(QWidget* view, const diag::SignalGrid& grid) {
  for (const diag::GridCell& cell : diag::gridCells()) {
    auto* w = view->findChild<QLabel*>(cell.name);
    QVERIFY2(w, cell.name);
    QCOMPARE(w->geometry(),
             QRect(kColumnLeft[cell.column] / 15, (360 + 240 * (cell.row - 1)) / 15, 25, 17));
    QCOMPARE(w->text(), QString::fromLatin1(grid.label(cell.name).caption()));
    const bool state = cell.isState();
    QCOMPARE(w->frameShape() == QFrame::Box, state);
    const QColor back = w->palette().color(QPalette::Window);
    if (state) QCOMPARE(back, QColor(0xC0, 0xC0, 0xC0));
    if (!state) QCOMPARE(back, w->palette().color(QPalette::Base));
  }
}

QWidget* viewOf(ui::Views& views, form::Window& w) {
  return views.viewOf(w);
}

struct Program {
  ui::QtPlatform platform;
  App app{platform, [this] {
            return std::make_unique<link::testing::TestCommControl>(
                [this] { return platform.nowMs(); });
          }};
  ui::Views views{app};
  Program() { app.setObserver(&views); }
  ~Program() { app.setObserver(nullptr); }
  template <class W>
  QWidget* show(W& w) {
    app.dispatch([&] { app.show(w); });
    return viewOf(views, w);
  }
};

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void terminalWindow();
  void terminalWindowKeepsItsPlacesWhenResized();
  void settingsWindow();
  void replayWindow();
  void splashLoginAndMenu();
  void accessKeysAndTabOrder();
};

void LayoutTest::terminalWindow() {
  Program p;
  Form1& f = p.app.form1();
  QWidget* view = p.show(f);
  QCOMPARE(view->windowTitle(), QString("Kestrava Car"));
  checkWindow(view, kForm1);
  checkGrid(view, f.grid);
  auto* client = view->findChild<QWidget*>("client");
  QCOMPARE(client->size(), QSize(11070 / 15, 7125 / 15));
  QVERIFY(client->font().bold());
  QCOMPARE(client->font().pointSizeF(), 8.25);
  QCOMPARE(client->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
  // At its first size the right part of Term lies beyond the window's right edge.
  auto* term = view->findChild<QWidget*>("Term");
  QVERIFY(term->geometry().right() > client->width());
  QVERIFY(view->maximumWidth() > view->width());  // resizable
  const QStringList menus = {"&File", "&CommPort"};
  QStringList shown;
  for (QAction* a : view->findChild<QMenuBar*>()->actions()) shown << a->text();
  QCOMPARE(shown, menus);
}

void LayoutTest::terminalWindowKeepsItsPlacesWhenResized() {
  Program p;
  Form1& f = p.app.form1();
  QWidget* view = p.show(f);
  view->resize(1100, 700);
  QCoreApplication::processEvents();
  checkWindow(view, kForm1);
  auto* client = view->findChild<QWidget*>("client");
  QVERIFY(view->findChild<QWidget*>("Term")->geometry().right() < client->width());
}

void LayoutTest::settingsWindow() {
  Program p;
  p.app.form1();
  ConfigScrn& c = p.app.configScrn();
  QWidget* view = p.show(c);
  QCOMPARE(view->windowTitle(), QString("Configure Comm Port"));
  checkWindow(view, kConfigScrn);
  QCOMPARE(view->minimumSize(), view->maximumSize());     // fixed frame
  QVERIFY(view->findChildren<QPushButton*>().isEmpty());  // closed by its frame
}

void LayoutTest::replayWindow() {
  Program p;
  Replay& r = p.app.replay();
  QWidget* view = p.show(r);
  QCOMPARE(view->windowTitle(), QString("Replay Kestrava Log File"));
  checkWindow(view, kReplay);
  checkGrid(view, r.grid);
  QVERIFY(!view->findChild<QPushButton*>("Command1")->isEnabled());
  QVERIFY(view->findChild<QRadioButton*>("Option3")->isChecked());
  // The scroll bar lies under the row of options and is as wide as it.
  auto* bar = view->findChild<QScrollBar*>("HScroll1");
  auto* first = view->findChild<QWidget*>("Option1");
  auto* last = view->findChild<QWidget*>("Option4");
  QCOMPARE(bar->geometry().left(), first->geometry().left());
  QVERIFY(bar->geometry().top() > first->geometry().bottom());
  QVERIFY(qAbs(bar->geometry().right() - last->geometry().right()) <= 2);
  QVERIFY(view->findChild<QWidget*>("Command1")->geometry().left() > last->geometry().right());
}

void LayoutTest::splashLoginAndMenu() {
  Program p;
  QWidget* splash = p.show(p.app.form5());
  QCOMPARE(splash->windowTitle(), QString("Kestrava"));
  checkWindow(splash, kSplash);
  QCOMPARE(splash->findChild<QLabel*>("lblTitle")->font().pointSizeF(), 18.0);
  QVERIFY(splash->findChild<QLabel*>("lblTitle")->font().bold());
  QCOMPARE(splash->findChild<QLabel*>("lblVersion")->font().pointSizeF(), 13.5);
  QVERIFY(splash->maximumWidth() > splash->width());  // resizable

  QWidget* login = p.show(p.app.login());
  QCOMPARE(login->windowTitle(), QString("Password challenge"));
  checkWindow(login, kLogin);
  QCOMPARE(login->minimumSize(), login->maximumSize());
  // On screen the user-name row is above the password row.
  QVERIFY(login->findChild<QWidget*>("txtUserName")->y() <
          login->findChild<QWidget*>("txtPassword")->y());

  QWidget* menu = p.show(p.app.form3());
  QCOMPARE(menu->windowTitle(), QString("Kestrava Menu"));
  QStringList items;
  for (QAction* a : menu->findChild<QMenuBar*>()->actions()) items << a->text();
  QCOMPARE(items, QStringList({"&Car diagnostics", "&dispatcher diagnostics", "&Replay"}));
  QCOMPARE(menu->minimumSize(), menu->maximumSize());
}

void LayoutTest::accessKeysAndTabOrder() {
  Program p;
  frmLogin& login = p.app.login();
  QWidget* view = p.show(login);
  QApplication::setActiveWindow(view);
  auto* password = view->findChild<QLineEdit*>("txtPassword");
  QCOMPARE(password->nextInFocusChain(), view->findChild<QWidget*>("txtUserName"));
  QCOMPARE(view->findChild<QWidget*>("txtUserName")->nextInFocusChain(),
           view->findChild<QWidget*>("cmdOK"));
  QCOMPARE(view->findChild<QLabel*>("lblLabels(0)")->buddy(),
           view->findChild<QWidget*>("txtUserName"));

  Form1& f = p.app.form1();
  QWidget* form1 = p.show(f);
  form1->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form1));
  auto* port = static_cast<link::testing::TestCommControl*>(&f.MSComm1);
  p.app.dispatch([&] { (void)port->setPortOpen(true); });
  // Through the window, as the keyboard gives them, so that access keys are looked up.
  // An access key presses the button as a click would (Qt shows the press for a moment).
  QTest::keyClick(form1->windowHandle(), Qt::Key_U, Qt::AltModifier);
  QTRY_COMPARE(port->sentText(), std::string("stu\r"));
  QTest::keyClick(form1->windowHandle(), Qt::Key_D, Qt::AltModifier);
  QTRY_COMPARE(port->sentText(), std::string("stu\rstd\r"));
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
