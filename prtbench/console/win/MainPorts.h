// The main window's ports part: the port type and printer type radios, the
// LPT, COM, baud and flow lists, Com Settings, USB printer notices and the
// idle close of LPT and COM after a print. Link changes go through the send
// queue, behind any send the user asked for earlier.
#pragma once

#include <windows.h>

#include "prtbench/console/win/MainWindow.h"

namespace prtbench {

class MainPorts {
 public:
  explicit MainPorts(MainWindow& window) : window_(window) {}
  ~MainPorts();
  MainPorts(const MainPorts&) = delete;
  MainPorts& operator=(const MainPorts&) = delete;

  // The window hears of USB printers coming and going from now on; a
  // message box says when it cannot.
  void RegisterUsbNotices();
  void UnregisterUsbNotices();

  void OnPortType();
  void OnPrinterType();
  void OnComName();
  void OnLptName();
  void OnBaudRate();
  void OnFlowControl();
  void OnComSettings();
  // Enables the lists of `portType`'s port and, for NET, its buttons.
  void ApplyEnableRules(int portType);
  // WM_DEVICECHANGE; true when it was a USB printer's notice.
  bool OnDeviceChange(WPARAM event, LPARAM data);
  // LPT and COM close a while after the last print, so other programs can use them.
  void StartIdleClose();
  // WM_TIMER; true when it was the idle close timer.
  bool OnTimer(UINT_PTR id);

 private:
  void OnUsbArrival();
  void OnUsbRemoval();
  PrinterLink& link() { return window_.context().link(); }

  static constexpr UINT_PTR kIdleCloseTimer = 1;
  static constexpr unsigned kIdleCloseMs = 5000;

  MainWindow& window_;
  HDEVNOTIFY usbNotices_ = nullptr;
};

}  // namespace prtbench
