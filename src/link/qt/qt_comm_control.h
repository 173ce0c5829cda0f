#pragma once

#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include "link/comm_control.h"
#include "link/serial_settings.h"

namespace kestrava::link {

// The serial component on QSerialPort. Bytes pass as Latin-1 characters one to one.
//
// Line events: CTS, DSR and CD changes and the ring line are watched through the modem lines
// where the device reports them (a pseudo-terminal does not); break, framing, parity and
// overrun errors come from the Linux serial driver's error counters (TIOCGICOUNT), which real
// UARTs and most USB adapters keep and a pseudo-terminal does not. Writes beyond
// kMaxPendingOutput bytes waiting are refused and reported once as a full transmit buffer.
//
// A device that goes away while open (a USB adapter pulled, a pseudo-terminal's far end
// closed) makes QSerialPort report ReadError or ResourceError in a tight loop while it still
// claims to be open. The component closes the port at the first such error and raises
// kEventDeviceLost once, with ErrorText() naming the device; a later open works again once the
// device is back.
class QtCommControl : public QObject, public CommControl {
  Q_OBJECT

 public:
  explicit QtCommControl(QObject* parent = nullptr);
  ~QtCommControl() override;

  std::int16_t CommPort() const override { return port_; }
  Status setCommPort(int port) override;
  std::string Settings() const override { return formatSettings(settings_); }
  Status setSettings(const std::string& settings) override;
  bool PortOpen() const override { return serial_.isOpen(); }
  Status setPortOpen(bool open) override;
  Status Output(std::string_view data) override;
  std::string Input() override;
  int CommEvent() const override { return event_; }
  int OutBufferCount() const override;
  std::string ErrorText() const override { return errorText_; }

  // The device path the current port number opens.
  std::string device() const { return deviceForPort(port_); }
  // Whether the open device reports modem lines and error counters.
  bool watchesModemLines() const { return modemLines_; }
  bool watchesErrorCounters() const { return errorCounters_; }

  static constexpr int kMaxPendingOutput = 64 * 1024;
  static constexpr int kLineWatchMs = 50;

 private:
  void onReadyRead();
  void onError(QSerialPort::SerialPortError error);
  Status apply(const LineSettings& settings);
  std::string openFailureText(QSerialPort::SerialPortError error) const;
  void raiseEvent(int code);
  // Raises the event from the event loop, never inside the handler that caused it.
  void postEvent(int code);
  void startWatching();
  void watchLines();

  struct Counters {
    int frame = 0, parity = 0, overrun = 0, brk = 0, bufferOverrun = 0;
  };
  bool readCounters(Counters& out) const;

  QSerialPort serial_;
  std::int16_t port_ = kDefaultPort;
  LineSettings settings_;
  int event_ = 0;
  std::string errorText_;
  QTimer lineWatch_;
  bool modemLines_ = false;
  bool errorCounters_ = false;
  QSerialPort::PinoutSignals lastSignals_;
  Counters lastCounters_;
  bool txFullReported_ = false;
};

}  // namespace kestrava::link
