// PNG decoding through the imaging component (WIC), which every Windows has.
#include "uilibs/win32/iconel/PngImage.h"

#include <wincodec.h>

#include <memory>
#include <type_traits>

namespace vendrel::iconel {

namespace {

struct Release {
  void operator()(IUnknown* p) const { p->Release(); }
};
template <class T>
using ComRef = std::unique_ptr<T, Release>;

// COM for the calling thread when it has none yet; a thread that has it keeps its own.
class ComScope {
 public:
  ComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialized_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialized_;
};

struct DeleteGdi {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteGdi>;

// The resource's bytes; they live as long as the module.
bool ResourceBytes(HMODULE module, int id, const BYTE*& data, DWORD& size) {
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  size = found ? SizeofResource(module, found) : 0;
  return data && size;
}

}  // namespace

HBITMAP LoadPngBitmap(HMODULE module, int id) {
  const BYTE* data = nullptr;
  DWORD size = 0;
  if (!ResourceBytes(module, id, data, size)) return nullptr;

  const ComScope com;
  IWICImagingFactory* rawFactory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&rawFactory))))
    return nullptr;
  const ComRef<IWICImagingFactory> factory(rawFactory);
  IWICStream* rawStream = nullptr;
  if (FAILED(factory->CreateStream(&rawStream))) return nullptr;
  const ComRef<IWICStream> stream(rawStream);
  if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), size))) return nullptr;
  IWICBitmapDecoder* rawDecoder = nullptr;
  if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &rawDecoder)))
    return nullptr;
  const ComRef<IWICBitmapDecoder> decoder(rawDecoder);
  IWICBitmapFrameDecode* rawFrame = nullptr;
  if (FAILED(decoder->GetFrame(0, &rawFrame))) return nullptr;
  const ComRef<IWICBitmapFrameDecode> frame(rawFrame);
  IWICBitmapSource* rawPixels = nullptr;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.get(), &rawPixels)))
    return nullptr;
  const ComRef<IWICBitmapSource> pixels(rawPixels);

  UINT width = 0, height = 0;
  if (FAILED(pixels->GetSize(&width, &height)) || !width || !height) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return nullptr;
  const UINT stride = width * 4;
  if (FAILED(pixels->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits))))
    return nullptr;
  return bitmap.release();
}

HICON IconFromBitmap(HBITMAP bitmap) {
  BITMAP b{};
  if (!GetObjectW(bitmap, sizeof b, &b)) return nullptr;
  const UniqueBitmap mask(CreateBitmap(b.bmWidth, b.bmHeight, 1, 1, nullptr));
  if (!mask) return nullptr;
  ICONINFO info{TRUE, 0, 0, mask.get(), bitmap};
  return CreateIconIndirect(&info);
}

}  // namespace vendrel::iconel
