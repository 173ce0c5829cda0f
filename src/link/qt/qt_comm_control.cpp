#include "link/qt/qt_comm_control.h"

#include <unistd.h>

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace kestrava::link {
namespace {

QSerialPort::Parity toParity(char p) {
  switch (p) {
    case 'e':
      return QSerialPort::EvenParity;
    case 'o':
      return QSerialPort::OddParity;
    case 'm':
      return QSerialPort::MarkParity;
    case 's':
      return QSerialPort::SpaceParity;
    default:
      return QSerialPort::NoParity;
  }
}

QSerialPort::StopBits toStopBits(StopBits s) {
  switch (s) {
    case StopBits::OneAndHalf:
      return QSerialPort::OneAndHalfStop;
    case StopBits::Two:
      return QSerialPort::TwoStop;
    default:
      return QSerialPort::OneStop;
  }
}

}  // namespace

QtCommControl::QtCommControl(QObject* parent) : QObject(parent) {
  settings_ = *parseSettings(kDefaultSettings);
  connect(&serial_, &QSerialPort::readyRead, this, &QtCommControl::onReadyRead);
  connect(&serial_, &QSerialPort::errorOccurred, this, &QtCommControl::onError);
  connect(&serial_, &QSerialPort::bytesWritten, this, [this] {
    if (serial_.bytesToWrite() < kMaxPendingOutput / 2) txFullReported_ = false;
  });
  lineWatch_.setTimerType(Qt::PreciseTimer);
  connect(&lineWatch_, &QTimer::timeout, this, &QtCommControl::watchLines);
}

QtCommControl::~QtCommControl() {
  OnComm = nullptr;
  serial_.close();
}

Status QtCommControl::setCommPort(int port) {
  if (serial_.isOpen())
    return Status::failure("Port already open: close it before changing the port number");
  if (port < 1 || port > 32767) {
    return Status::failure("Invalid port number " + std::to_string(port) +
                           ": it must lie from 1 to 32767");
  }
  port_ = static_cast<std::int16_t>(port);
  return Status::ok();
}

Status QtCommControl::setSettings(const std::string& settings) {
  std::string error;
  const auto parsed = parseSettings(settings, &error);
  if (!parsed) return Status::failure(error);
  if (serial_.isOpen()) {
    if (Status applied = apply(*parsed); !applied) {
      (void)apply(settings_);  // a half-applied change must not stay on the line
      return applied;
    }
  }
  settings_ = *parsed;
  return Status::ok();
}

Status QtCommControl::apply(const LineSettings& s) {
  const bool ok = serial_.setBaudRate(s.baud) && serial_.setParity(toParity(s.parity)) &&
                  serial_.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) &&
                  serial_.setStopBits(toStopBits(s.stopBits));
  if (ok) return Status::ok();
  return Status::failure("The settings \"" + formatSettings(s) + "\" cannot be applied to " +
                         device() + ": " + serial_.errorString().toStdString());
}

Status QtCommControl::setPortOpen(bool open) {
  if (!open) {
    lineWatch_.stop();
    if (serial_.isOpen()) serial_.close();
    return Status::ok();
  }
  if (serial_.isOpen()) return Status::failure("Port already open");
  serial_.setPortName(QString::fromStdString(device()));
  if (!serial_.open(QIODevice::ReadWrite)) {
    return Status::failure(openFailureText(serial_.error()));
  }
  if (Status applied = apply(settings_); !applied) {
    serial_.close();
    return applied;
  }
  serial_.clear();
  txFullReported_ = false;
  startWatching();
  return Status::ok();
}

void QtCommControl::startWatching() {
  // A device without modem lines answers UnsupportedOperationError; that only means there is
  // nothing to watch.
  lastSignals_ = serial_.pinoutSignals();
  modemLines_ = serial_.error() != QSerialPort::UnsupportedOperationError;
  serial_.clearError();
  errorCounters_ = readCounters(lastCounters_);
  if (modemLines_ || errorCounters_) lineWatch_.start(kLineWatchMs);
}

bool QtCommControl::readCounters(Counters& out) const {
#ifdef __linux__
  serial_icounter_struct counts{};
  if (::ioctl(static_cast<int>(serial_.handle()), TIOCGICOUNT, &counts) != 0) return false;
  out = {counts.frame, counts.parity, counts.overrun, counts.brk, counts.buf_overrun};
  return true;
#else
  (void)out;
  return false;
#endif
}

void QtCommControl::watchLines() {
  if (!serial_.isOpen()) {
    lineWatch_.stop();
    return;
  }
  if (modemLines_) {
    const QSerialPort::PinoutSignals now = serial_.pinoutSignals();
    const QSerialPort::PinoutSignals changed = now ^ lastSignals_;
    lastSignals_ = now;
    if (changed & QSerialPort::ClearToSendSignal) raiseEvent(comm::kEvCts);
    if (changed & QSerialPort::DataSetReadySignal) raiseEvent(comm::kEvDsr);
    if (changed & QSerialPort::DataCarrierDetectSignal) raiseEvent(comm::kEvCd);
    if ((changed & now) & QSerialPort::RingIndicatorSignal) raiseEvent(comm::kEvRing);
  }
  Counters now;
  if (errorCounters_ && readCounters(now)) {
    const Counters before = lastCounters_;
    lastCounters_ = now;
    if (now.brk != before.brk) raiseEvent(comm::kEventBreak);
    if (now.frame != before.frame) raiseEvent(comm::kEventFrame);
    if (now.parity != before.parity) raiseEvent(comm::kEventRxParity);
    if (now.overrun != before.overrun) raiseEvent(comm::kEventOverrun);
    if (now.bufferOverrun != before.bufferOverrun) raiseEvent(comm::kEventRxOver);
  }
}

std::string QtCommControl::openFailureText(QSerialPort::SerialPortError error) const {
  const std::string dev = device();
  std::string text = "Cannot open port " + std::to_string(port_) + " (" + dev +
                     "): " + serial_.errorString().toStdString() + ".";
  if (error == QSerialPort::DeviceNotFoundError) {
    text += " Connect the adapter, or set KESTRAVA_COM" + std::to_string(port_) +
            " to the device's path (for example /dev/ttyUSB0).";
  } else if (error == QSerialPort::PermissionError) {
    if (::access(dev.c_str(), R_OK | W_OK) != 0) {
      text +=
          " The user must be a member of the dialout group (sudo usermod -aG dialout "
          "$USER, then log in again).";
    } else {
      text += " Another program may be using the port.";
    }
  }
  return text;
}

Status QtCommControl::Output(std::string_view data) {
  if (!serial_.isOpen()) return Status::failure("Port is not open");
  if (serial_.bytesToWrite() + static_cast<qint64>(data.size()) > kMaxPendingOutput) {
    if (!txFullReported_) {
      txFullReported_ = true;
      postEvent(comm::kEventTxFull);
    }
    return Status::failure("Transmit buffer full: " + device() + " is not taking data");
  }
  const QByteArray bytes(data.data(), static_cast<qsizetype>(data.size()));
  if (serial_.write(bytes) != bytes.size()) {
    return Status::failure("Cannot send to " + device() + ": " +
                           serial_.errorString().toStdString());
  }
  return Status::ok();
}

std::string QtCommControl::Input() {
  if (!serial_.isOpen()) return {};
  const QByteArray bytes = serial_.readAll();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

int QtCommControl::OutBufferCount() const {
  return serial_.isOpen() ? static_cast<int>(serial_.bytesToWrite()) : 0;
}

void QtCommControl::raiseEvent(int code) {
  event_ = code;
  raise();
}

void QtCommControl::postEvent(int code) {
  QMetaObject::invokeMethod(
      this, [this, code] { raiseEvent(code); }, Qt::QueuedConnection);
}

void QtCommControl::onReadyRead() {
  raiseEvent(comm::kEvReceive);
}

void QtCommControl::onError(QSerialPort::SerialPortError error) {
  if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError) return;
  if (!serial_.isOpen()) return;
  errorText_ = "The serial device " + device() + " (port " + std::to_string(port_) +
               ") stopped answering: " + serial_.errorString().toStdString() +
               ". The port has been closed; open it again once the device is back.";
  // Closing at the first error stops QSerialPort from repeating it in a tight loop.
  lineWatch_.stop();
  serial_.close();
  postEvent(comm::kEventDeviceLost);
}

}  // namespace kestrava::link
