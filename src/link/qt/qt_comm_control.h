#pragma once

#include <QObject>
#include <QSerialPort>

#include "link/comm_control.h"
#include "link/serial_settings.h"

namespace kestrava::link {

// The serial component on QSerialPort. Bytes pass as Latin-1 characters one to one.
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

 private:
  void onReadyRead();
  void onError(QSerialPort::SerialPortError error);
  Status apply(const LineSettings& settings);
  std::string openFailureText(QSerialPort::SerialPortError error) const;
  void raiseEvent(int code);

  QSerialPort serial_;
  std::int16_t port_ = kDefaultPort;
  LineSettings settings_;
  int event_ = 0;
  std::string errorText_;
};

}  // namespace kestrava::link
