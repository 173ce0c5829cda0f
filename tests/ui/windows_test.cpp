#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "link/config_scrn.h"
#include "link/form1.h"
#include "link/qt/qt_comm_control.h"
#include "link/testing/test_comm_control.h"
#include "replay/replay.h"
#include "shell/app.h"
#include "shell/form3.h"
#include "shell/frm_login.h"
#include "shell/module21.h"
#include "support/pty.h"
#include "ui/qt_platform.h"
#include "ui/window_view.h"

using namespace kestrava;

namespace {

QWidget* topLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == name && w->isVisible()) return w;
  }
  return nullptr;
}

QAction* action(QWidget* window, const char* name) {
  for (QAction* a : window->findChildren<QAction*>()) {
    if (a->objectName() == name) return a;
  }
  return nullptr;
}

// The program as main() builds it, with the test serial component.
struct Program {
  ui::QtPlatform platform;
  link::testing::TestCommControl* port = nullptr;
  App app{platform, [this] {
            auto made = std::make_unique<link::testing::TestCommControl>(
                [this] { return platform.nowMs(); });
            port = made.get();
            return made;
          }};
  ui::Views views{app};
  Program() { app.setObserver(&views); }
  ~Program() { app.setObserver(nullptr); }
};

// The program with the real serial component, on port 1 pointed at `device`.
struct RealProgram {
  ui::QtPlatform platform;
  App app{platform, [] { return std::make_unique<link::QtCommControl>(); }};
  ui::Views views{app};
  Form1* f = nullptr;
  QWidget* form1 = nullptr;
  explicit RealProgram(const QByteArray& device) {
    qputenv("KESTRAVA_COM1", device);
    app.setObserver(&views);
    app.dispatch([&] { f = &app.showWindow(app.form1()); });
    form1 = topLevel("Form1");
  }
  ~RealProgram() {
    app.dispatch([&] { (void)f->MSComm1.setPortOpen(false); });
    app.setObserver(nullptr);
    qunsetenv("KESTRAVA_COM1");
  }
};

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void splashClickMenuAndTerminalWindow();
  void passwordChallengeByKeyboard();
  void terminalMirrorsTheCoreIncrementally();
  void terminalOverAPseudoTerminal();
  void replayWindowControls();
  void liveDisplayAgainstTheSimulator();
  // Last: once the program has ended, Qt runs no further event loop in this process.
  void closingTheMenuEndsTheProgram();
};

void WindowsTest::splashClickMenuAndTerminalWindow() {
  Program p;
  MODULE21_Main(p.app);
  QWidget* splash = topLevel("Form5");
  QVERIFY(splash);
  QCOMPARE(splash->windowTitle(), QString("Kestrava"));
  QVERIFY(splash->findChild<QLabel*>("lblTitle"));
  QCOMPARE(splash->findChild<QLabel*>("lblTitle")->text(), QString("Kestrava for Corvane"));
  QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(20, 20));
  QCoreApplication::processEvents();
  QVERIFY(!topLevel("Form5"));

  QWidget* menu = topLevel("Form3");
  QVERIFY(menu);
  QCOMPARE(menu->windowTitle(), QString("Kestrava Menu"));
  QVERIFY(action(menu, "mnuCar"));
  QCOMPARE(action(menu, "mnuCar")->text(), QString("&Car diagnostics"));
  QVERIFY(!action(menu, "mnuDispatch")->isEnabled());
  action(menu, "mnuCar")->trigger();

  QWidget* form1 = topLevel("Form1");
  QVERIFY(form1);
  QCOMPARE(form1->windowTitle(), QString("Kestrava Car"));
  auto* term = form1->findChild<QPlainTextEdit*>("Term");
  QVERIFY(term);
  QCOMPARE(term->geometry(), QRect(368, 24, 633, 265));
  QVERIFY(term->hasFocus() || QApplication::focusWidget() == term || !form1->isActiveWindow());
  QVERIFY(form1->findChild<QPlainTextEdit*>("Text1"));
  QVERIFY(!form1->findChild<QPlainTextEdit*>("Text1")->isVisible());
  for (const char* name :
       {"Label1", "Label2", "Label3", "Label4", "Label5", "lbl514", "lb4_9", "lbl1316", "lbl_10"}) {
    QVERIFY2(form1->findChild<QLabel*>(name), name);
  }
  QCOMPARE(form1->findChild<QLabel*>("Label2")->text(), QString("Status - "));
  QCOMPARE(form1->findChild<QLabel*>("lbl_16")->text(), QString("TRIP"));
  QCOMPARE(form1->findChild<QLabel*>("Label4")->geometry(), QRect(664, 384, 25, 25));
  for (const char* name :
       {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6"}) {
    QVERIFY2(form1->findChild<QPushButton*>(name), name);
  }
  QCOMPARE(form1->findChild<QPushButton*>("Command4")->text(), QString("ST&U"));
  for (const char* name : {"txtvel", "txtpos", "txtbbt", "txtdpc", "Text2", "Text3", "Text4"}) {
    QVERIFY2(form1->findChild<QLineEdit*>(name), name);
  }
  QCOMPARE(form1->findChild<QLineEdit*>("Text4")->text(), QString("5"));
  QVERIFY(form1->findChild<QPlainTextEdit*>("Text5"));
  QVERIFY(action(form1, "MOpenLog")->isEnabled());
  QVERIFY(!action(form1, "MCloseLog")->isEnabled());
  QVERIFY(!action(form1, "MSendText")->isEnabled());
  QCOMPARE(action(form1, "MOpen")->text(), QString("Port &Open"));
  QVERIFY(!action(form1, "MOpen")->isChecked());
  QVERIFY(menu->isVisible());  // the menu stays open

  // A picture for the record of how the window looks.
  form1->grab().save(QDir::current().filePath("form1.png"));
}

void WindowsTest::passwordChallengeByKeyboard() {
  Program p;
  p.app.dispatch([&] { p.app.show(p.app.login()); });
  QWidget* login = topLevel("frmLogin");
  QVERIFY(login);
  login->activateWindow();
  auto* password = login->findChild<QLineEdit*>("txtPassword");
  QVERIFY(password);
  QCOMPARE(password->echoMode(), QLineEdit::Password);
  QCOMPARE(login->focusWidget(), password);
  QTest::keyClicks(password, "12");
  // The refusal box is modal: answer it from inside its own event loop.
  QString boxText, boxTitle;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxText = box->text();
      boxTitle = box->windowTitle();
      box->button(QMessageBox::Ok)->click();
    }
  });
  QTest::keyClick(password, Qt::Key_Return);
  QCOMPARE(boxText, QString("Invalid Password, try again!"));
  QCOMPARE(boxTitle, QString("Login"));
  QTRY_COMPARE(password->selectedText(), QString("12"));  // the widget follows within a frame
  QTest::keyClicks(password, "460317");
  QTRY_COMPARE(password->text(), QString("460317"));
  QTest::keyClick(password, Qt::Key_Return);
  QCoreApplication::processEvents();
  QVERIFY(!topLevel("frmLogin"));
  QVERIFY(topLevel("Form3"));
}

void WindowsTest::terminalMirrorsTheCoreIncrementally() {
  Program p;
  Form1* f = nullptr;
  p.app.dispatch([&] { f = &p.app.showWindow(p.app.form1()); });
  QWidget* form1 = topLevel("Form1");
  auto* term = form1->findChild<QPlainTextEdit*>("Term");
  term->setFocus();
  QTest::keyClicks(term, "hi");
  // Typed with the port closed: shown.
  QCOMPARE(f->Term.text(), std::string("hi"));
  p.app.dispatch([&] {
    std::string chunk = "AB\r\nC\bD";
    f->AppendToTerm(f->Term, chunk);
  });
  QCOMPARE(f->Term.text(), std::string("hiAB\r\nD"));
  // The widget follows the core within a frame, caret included.
  QTRY_COMPARE(ui::fromDisplay(term->document()->toPlainText()), f->Term.text());
  QTRY_COMPARE(term->textCursor().position(), f->Term.length());
  p.app.dispatch([&] {
    std::string chunk = "\bZ";
    f->AppendToTerm(f->Term, chunk);
  });
  QTRY_COMPARE(ui::fromDisplay(term->document()->toPlainText()), std::string("hiAB\r\nZ"));

  p.app.dispatch([&] { (void)p.port->setPortOpen(true); });
  QTest::keyClicks(term, "k");
  QCOMPARE(p.port->sentText(), std::string("k"));
  // With the port open: sent, not shown.
  QCOMPARE(f->Term.text(), std::string("hiAB\r\nZ"));
  QCOMPARE(f->Label5.backColor(), form::kGreen);
}

void WindowsTest::closingTheMenuEndsTheProgram() {
  Program p;
  p.app.dispatch([&] { p.app.show(p.app.form3()); });
  QWidget* menu = topLevel("Form3");
  QVERIFY(menu);
  menu->close();
  QVERIFY(p.app.ended());
  QCoreApplication::processEvents();
  QVERIFY(!topLevel("Form3"));
}

// The real window and the real serial component, with a pseudo-terminal as the controller:
// open the port from the menu, receive, type, change the settings, lose the far end.
void WindowsTest::terminalOverAPseudoTerminal() {
  auto pty = std::make_unique<testing::Pty>();
  RealProgram p(QByteArray::fromStdString(pty->devicePath()));
  App& app = p.app;
  Form1* f = p.f;
  QWidget* form1 = p.form1;
  action(form1, "MOpen")->trigger();
  QVERIFY(f->MSComm1.PortOpen());
  QVERIFY(action(form1, "MOpen")->isChecked());

  auto* term = form1->findChild<QPlainTextEdit*>("Term");
  pty->write("Hello\r\n> ");
  QTRY_COMPARE(ui::fromDisplay(term->document()->toPlainText()), std::string("Hello\r\n> "));
  term->setFocus();
  QTest::keyClicks(term, "vel");
  QTest::keyClick(term, Qt::Key_Return);
  std::string far;
  QTRY_VERIFY((far += pty->read(5)).size() >= 4);
  QCOMPARE(far, std::string("vel\r"));

  // The settings window: edit and close; the port restarts with the new settings.
  action(form1, "MSettings")->trigger();
  QWidget* config = topLevel("ConfigScrn");
  QVERIFY(config);
  QCOMPARE(config->windowTitle(), QString("Configure Comm Port"));
  auto* settings = config->findChild<QLineEdit*>("Text1");
  QCOMPARE(settings->text(), QString("1200,n,8,1"));
  settings->selectAll();
  QTest::keyClicks(settings, "9600,n,8,1");
  QCOMPARE(app.find<ConfigScrn>()->Text1.text(), std::string("9600,n,8,1"));
  config->close();
  QCoreApplication::processEvents();
  QVERIFY(!topLevel("ConfigScrn"));
  QCOMPARE(f->MSComm1.Settings(), std::string("9600,n,8,1"));
  QVERIFY(f->MSComm1.PortOpen());

  // Pull the far end: one error box, answered OK; the port ends closed.
  int boxes = 0;
  QString text;
  std::function<void()> answer = [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++boxes;
      text = box->text();
      box->button(QMessageBox::Ok)->click();
    }
    if (boxes == 0) QTimer::singleShot(20, answer);
  };
  QTimer::singleShot(20, answer);
  pty->closeFarEnd();
  QTRY_COMPARE(boxes, 1);
  QTest::qWait(300);
  QCOMPARE(boxes, 1);
  QVERIFY(text.contains(QString::fromStdString(pty->devicePath())));
  QVERIFY(!f->MSComm1.PortOpen());
}

void WindowsTest::replayWindowControls() {
  Program p;
  Replay* r = nullptr;
  p.app.dispatch([&] { r = &p.app.showWindow(p.app.replay()); });
  QWidget* replay = topLevel("Replay");
  QVERIFY(replay);
  QCOMPARE(replay->windowTitle(), QString("Replay Kestrava Log File"));
  auto* bar = replay->findChild<QScrollBar*>("HScroll1");
  QVERIFY(bar);
  QCOMPARE(bar->value(), 1000);
  QVERIFY(bar->invertedAppearance());  // 1000 at the left end, 0 at the right
  auto* slow = replay->findChild<QRadioButton*>("Option3");
  auto* fast = replay->findChild<QRadioButton*>("Option1");
  QVERIFY(slow->isChecked());
  QVERIFY(!replay->findChild<QPushButton*>("Command1")->isEnabled());
  QTest::mouseClick(fast, Qt::LeftButton);
  QCOMPARE(r->HScroll1.value(), 100);
  QCOMPARE(bar->value(), 100);
  QVERIFY(fast->isChecked());
  QVERIFY(!slow->isChecked());
  QTRY_COMPARE(replay->findChild<QPlainTextEdit*>("Text5")->toPlainText(), QString("100"));
  // Inverted, the lowest value stands at the right end.
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  QCOMPARE(r->HScroll1.value(), 0);
  QVERIFY(!fast->isChecked());
  QVERIFY(!replay->findChild<QRadioButton*>("Option4")->isChecked());
  replay->grab().save(QDir::current().filePath("replay.png"));
}

// The real window on real timers, fed by the simulator: "pmi 1" fills the grid, "reset" stops
// the polling.
void WindowsTest::liveDisplayAgainstTheSimulator() {
  QTemporaryDir dir;
  const QString link = dir.filePath("controller");
  QProcess sim;
  sim.start(KESTRAVA_SIM_PATH, {"--link", link, "--seed", "4", "--baud", "19200"});
  QVERIFY(sim.waitForStarted());
  QTRY_VERIFY(QFileInfo::exists(link));
  RealProgram p(link.toLocal8Bit());
  Form1* f = p.f;
  QWidget* form1 = p.form1;
  action(form1, "MOpen")->trigger();
  QVERIFY(f->MSComm1.PortOpen());

  QTest::mouseClick(form1->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  auto* sm = form1->findChild<QLabel*>("lbl514");
  auto* lamp = form1->findChild<QLabel*>("Label3");
  QTRY_VERIFY_WITH_TIMEOUT(!form1->findChild<QLabel*>("lbl1_1")->text().isEmpty(), 10000);
  QVERIFY(sm->text() == "0 " || sm->text() == "1 ");
  QTRY_COMPARE(lamp->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
  QVERIFY(form1->findChild<QLineEdit*>("Text3")->isVisible());

  QTest::mouseClick(form1->findChild<QPushButton*>("Command2"), Qt::LeftButton);
  QVERIFY(!f->Timer1.enabled() && !f->Timer2.enabled() && !f->Timer3.enabled());
  QVERIFY(!form1->findChild<QLineEdit*>("Text3")->isVisible());
  // A silence poll that was already armed may still go out once; after that the line is quiet.
  QTest::qWait(2500);
  const std::size_t settled = f->Term.text().size();
  QTest::qWait(3000);
  QCOMPARE(f->Term.text().size(), settled);
  sim.terminate();
  sim.waitForFinished();
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
