#include "ui/qt_platform.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

namespace kestrava::ui {
namespace {

// How long one "let pending events run" may wait for an event, so that a handler that polls
// (the drain wait at close) neither spins nor oversleeps its deadline.
constexpr int kProcessEventsWaitMs = 10;

class QtTimerBackend : public form::TimerBackend {
 public:
  explicit QtTimerBackend(std::function<void()> tick) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(tick));
  }
  // A QTimer with interval 0 would fire on every pass of the event loop; the runtime never
  // starts one with 0, it stops it instead.
  void start(int intervalMs) override { timer_.start(intervalMs); }
  void stop() override { timer_.stop(); }

 private:
  QTimer timer_;
};

QMessageBox::StandardButtons standardButtons(form::Buttons buttons) {
  switch (buttons) {
    case form::Buttons::OK:
      return QMessageBox::Ok;
    case form::Buttons::OKCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case form::Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case form::Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case form::Buttons::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case form::Buttons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(form::Icon icon) {
  switch (icon) {
    case form::Icon::Question:
      return QMessageBox::Question;
    case form::Icon::Exclamation:
      return QMessageBox::Warning;
    case form::Icon::Stop:
      return QMessageBox::Critical;
    case form::Icon::Information:
      return QMessageBox::Information;
    case form::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

form::Answer toAnswer(int button, form::Buttons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return form::Answer::OK;
    case QMessageBox::Cancel:
      return form::Answer::Cancel;
    case QMessageBox::Abort:
      return form::Answer::Abort;
    case QMessageBox::Retry:
      return form::Answer::Retry;
    case QMessageBox::Ignore:
      return form::Answer::Ignore;
    case QMessageBox::Yes:
      return form::Answer::Yes;
    case QMessageBox::No:
      return form::Answer::No;
    default:
      // Closed by its frame or Esc: the box's escape answer.
      return buttons == form::Buttons::OK ? form::Answer::OK : form::Answer::Cancel;
  }
}

}  // namespace

QtPlatform::QtPlatform() {
  clock_.start();
}

form::Answer QtPlatform::messageBox(const form::MessageBoxSpec& box) {
  QMessageBox dialog(standardIcon(box.icon), QString::fromLatin1(box.title),
                     QString::fromLatin1(box.text), standardButtons(box.buttons),
                     QApplication::activeWindow());
  dialog.setObjectName("MsgBox");
  return toAnswer(dialog.exec(), box.buttons);
}

QStringList QtPlatform::nameFilters(const std::string& filter) {
  const QStringList parts = QString::fromLatin1(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << parts[i] + " (" + patterns + ")";
  }
  return filters;
}

form::FileDialogResult QtPlatform::showOpenDialog(const form::FileDialogSpec& spec) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromLatin1(spec.title));
  dialog.setObjectName("OpenLog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // The program decides itself what to do about a name that does not exist yet.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters(nameFilters(spec.filter));
  dialog.setDefaultSuffix(QString::fromLatin1(spec.defaultExt));
  if (!spec.fileName.empty()) dialog.selectFile(QString::fromLatin1(spec.fileName));
  form::FileDialogResult result;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
  const QFileInfo chosen(dialog.selectedFiles().front());
  result.cancelled = false;
  result.error = 0;
  result.path = chosen.absoluteFilePath().toStdString();
  result.fileTitle = chosen.fileName().toStdString();
  return result;
}

void QtPlatform::beep() {
  QApplication::beep();
}

void QtPlatform::processEvents() {
  QEventLoop loop;
  QTimer::singleShot(kProcessEventsWaitMs, &loop, &QEventLoop::quit);
  loop.exec();
}

std::unique_ptr<form::TimerBackend> QtPlatform::createTimer(std::function<void()> tick) {
  return std::make_unique<QtTimerBackend>(std::move(tick));
}

void QtPlatform::quit() {
  QCoreApplication::exit(0);
}

}  // namespace kestrava::ui
