#include "win/gdi.h"

namespace {

struct DeviceContext {
  tq::gdi::DeviceContextHandler* handler;
};

DeviceContext* FromHandle(HDC dc) { return reinterpret_cast<DeviceContext*>(dc); }

}  // namespace

namespace tq::gdi {

HDC CreateDeviceContext(DeviceContextHandler* handler) {
  return reinterpret_cast<HDC>(new DeviceContext{handler});
}

void DeleteDeviceContext(HDC dc) { delete FromHandle(dc); }

}  // namespace tq::gdi

extern "C" int ExtEscape(HDC dc, int escape, int inSize, LPCSTR in, int outSize, LPSTR out) {
  if (dc == nullptr || FromHandle(dc)->handler == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  return FromHandle(dc)->handler->Escape(escape, inSize, in, outSize, out);
}

extern "C" int AbortDoc(HDC dc) {
  if (dc == nullptr || FromHandle(dc)->handler == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  return FromHandle(dc)->handler->Abort();
}
