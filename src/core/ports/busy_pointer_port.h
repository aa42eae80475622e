#pragma once

namespace kdk {

// The mouse pointer during a long operation. The desktop program shows the busy
// pointer and lets pending window events run once; elsewhere nothing happens.
class BusyPointerPort {
 public:
  virtual ~BusyPointerPort() = default;
  virtual void ShowBusy() = 0;
  virtual void ShowNormal() = 0;
};

class NoBusyPointer : public BusyPointerPort {
 public:
  void ShowBusy() override {}
  void ShowNormal() override {}
};

}  // namespace kdk
