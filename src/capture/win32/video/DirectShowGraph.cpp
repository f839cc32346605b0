#include "capture/win32/video/DirectShowGraph.h"

#include <dshow.h>
#include <dvdmedia.h>

#include <cstring>
#include <utility>

#include <cstdlib>

#include "base/Text.h"
#include "base/win32/Win32Platform.h"
#include "capture/video/VideoFitting.h"
#include "capture/win32/video/SampleGrabber.h"

namespace vemra {

namespace {

// Owns one reference.
template <class T>
class Com {
 public:
  Com() = default;
  ~Com() { Reset(); }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** Out() { return Reset(), &p_; }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

void FreeMediaType(AM_MEDIA_TYPE& type) {
  if (type.cbFormat) CoTaskMemFree(type.pbFormat);
  if (type.pUnk) type.pUnk->Release();
  type = AM_MEDIA_TYPE{};
}

std::string FriendlyName(IMoniker* moniker) {
  Com<IPropertyBag> bag;
  if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.OutVoid()))) return "";
  VARIANT name;
  VariantInit(&name);
  std::string text;
  if (SUCCEEDED(bag->Read(L"FriendlyName", &name, nullptr)) && name.vt == VT_BSTR)
    text = Narrow(name.bstrVal);
  VariantClear(&name);
  return text;
}

// Walks the video input devices; `visit` returns true to stop.
template <class Visit>
void ForEachDevice(Visit visit) {
  Com<ICreateDevEnum> devices;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER,
                              IID_ICreateDevEnum, devices.OutVoid())))
    return;
  Com<IEnumMoniker> list;
  // S_FALSE and no list: the category is empty.
  if (devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, list.Out(), 0) != S_OK || !list)
    return;
  for (;;) {
    Com<IMoniker> moniker;
    if (list->Next(1, moniker.Out(), nullptr) != S_OK) return;
    if (visit(moniker.get())) return;
  }
}

bool Direct3DAvailable() {
  HMODULE d3d = LoadLibraryA("d3d9.dll");
  if (!d3d) return false;
  using Create = IUnknown*(WINAPI*)(UINT sdkVersion);
  const auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(d3d, "Direct3DCreate9")));
  IUnknown* direct3d = create ? create(32) : nullptr;  // D3D_SDK_VERSION
  if (direct3d) direct3d->Release();
  FreeLibrary(d3d);
  return direct3d != nullptr;
}

}  // namespace

std::vector<std::string> EnumerateVideoDevices() {
  std::vector<std::string> names;
  ForEachDevice([&](IMoniker* m) { return names.push_back(FriendlyName(m)), false; });
  return names;
}

struct DirectShowGraph::Objects {
  Com<IGraphBuilder> graph;
  Com<ICaptureGraphBuilder2> builder;
  Com<IBaseFilter> source, grabberFilter, renderer;
  Com<SampleGrabberInterface> grabber;
  Com<IMediaControl> control;
  Com<IVideoWindow> window;
};

DirectShowGraph::DirectShowGraph() : o_(std::make_unique<Objects>()) {}

DirectShowGraph::~DirectShowGraph() { Stop(); }

bool DirectShowGraph::BuildVideoGraph(const std::string& deviceName) {
  bool found = false;
  ForEachDevice([&](IMoniker* m) {
    if (!EqualsNoCaseAscii(FriendlyName(m), deviceName)) return false;
    // The mixing renderer presents through Direct3D; without it the plain
    // renderer shows the video instead.
    std::vector<const CLSID*> renderers{&CLSID_VideoRenderer};
    if (Direct3DAvailable()) renderers.insert(renderers.begin(), &CLSID_VideoMixingRenderer);
    for (const CLSID* renderer : renderers) {
      o_ = std::make_unique<Objects>();
      if (Build(m, *renderer)) return found = true;
    }
    return true;
  });
  if (!found) o_ = std::make_unique<Objects>();
  return found;
}

bool DirectShowGraph::Build(IMoniker* device, const CLSID& renderer) {
  Objects& o = *o_;
  if (FAILED(device->BindToObject(nullptr, nullptr, IID_IBaseFilter, o.source.OutVoid()))) return false;
  auto create = [](REFCLSID clsid, REFIID iid, void** out) {
    return SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out));
  };
  if (!create(CLSID_FilterGraph, IID_IGraphBuilder, o.graph.OutVoid()) ||
      !create(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2, o.builder.OutVoid()) ||
      !create(kClsidSampleGrabber, IID_IBaseFilter, o.grabberFilter.OutVoid()) ||
      !create(renderer, IID_IBaseFilter, o.renderer.OutVoid()))
    return false;
  if (FAILED(o.grabberFilter->QueryInterface(kIidSampleGrabber, o.grabber.OutVoid()))) return false;
  AM_MEDIA_TYPE rgb{};
  rgb.majortype = MEDIATYPE_Video;
  rgb.subtype = MEDIASUBTYPE_RGB24;
  rgb.formattype = FORMAT_VideoInfo;
  o.grabber->SetMediaType(&rgb);
  o.grabber->SetBufferSamples(TRUE);
  if (FAILED(o.builder->SetFiltergraph(o.graph.get())) ||
      FAILED(o.graph->AddFilter(o.source.get(), L"Video source")) ||
      FAILED(o.graph->AddFilter(o.grabberFilter.get(), L"Sample grabber")) ||
      FAILED(o.graph->AddFilter(o.renderer.get(), L"Video renderer")) ||
      FAILED(o.builder->RenderStream(&PIN_CATEGORY_PREVIEW, nullptr, o.source.get(),
                                     o.grabberFilter.get(), o.renderer.get())))
    return false;
  o.graph->QueryInterface(IID_IMediaControl, o.control.OutVoid());
  o.graph->QueryInterface(IID_IVideoWindow, o.window.OutVoid());
  // Not as a window of its own before the dialog gives it a place.
  if (o.window) o.window->put_AutoShow(OAFALSE);
  return o.control && o.window;
}

std::string DirectShowGraph::GetVideoFormatText() {
  Objects& o = *o_;
  if (!o.builder || !o.source) return "";
  // Most webcams have only a capture pin, whose preview goes through a tee.
  Com<IAMStreamConfig> config;
  if (FAILED(o.builder->FindInterface(&PIN_CATEGORY_PREVIEW, nullptr, o.source.get(),
                                      IID_IAMStreamConfig, config.OutVoid())) &&
      FAILED(o.builder->FindInterface(&PIN_CATEGORY_CAPTURE, nullptr, o.source.get(),
                                      IID_IAMStreamConfig, config.OutVoid())))
    return "";
  AM_MEDIA_TYPE* type = nullptr;
  if (FAILED(config->GetFormat(&type)) || !type) return "";
  std::string text;
  const BITMAPINFOHEADER* header = nullptr;
  if (type->formattype == FORMAT_VideoInfo && type->cbFormat >= sizeof(VIDEOINFOHEADER))
    header = &reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat)->bmiHeader;
  else if (type->formattype == FORMAT_VideoInfo2 && type->cbFormat >= sizeof(VIDEOINFOHEADER2))
    header = &reinterpret_cast<VIDEOINFOHEADER2*>(type->pbFormat)->bmiHeader;
  if (header) text = VideoFormatText(std::abs(int(header->biWidth)), std::abs(int(header->biHeight)));
  FreeMediaType(*type);
  CoTaskMemFree(type);
  return text;
}

void DirectShowGraph::ShowIn(HWND owner, ScreenSize size) {
  Objects& o = *o_;
  if (!o.window) return;
  o.window->put_Owner(OAHWND(owner));
  o.window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  o.window->SetWindowPosition(0, 0, size.width, size.height);
  o.window->put_MessageDrain(OAHWND(owner));
  o.window->put_Visible(OATRUE);
}

void DirectShowGraph::Run() {
  if (o_->control) o_->control->Run();
}

void DirectShowGraph::Stop() {
  Objects& o = *o_;
  if (o.control) o.control->Stop();
  if (o.window) {
    o.window->put_Visible(OAFALSE);
    o.window->put_MessageDrain(0);
    o.window->put_Owner(0);
  }
}

Bitmap DirectShowGraph::LastFrame() {
  Objects& o = *o_;
  if (!o.grabber) return {};
  AM_MEDIA_TYPE type{};
  if (FAILED(o.grabber->GetConnectedMediaType(&type))) return {};
  int width = 0, height = 0;
  if (type.formattype == FORMAT_VideoInfo && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
    const BITMAPINFOHEADER& h = reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
    width = int(h.biWidth);
    height = int(h.biHeight);
  }
  FreeMediaType(type);
  const bool bottomUp = height > 0;
  height = std::abs(height);
  if (width <= 0 || height <= 0) return {};
  long size = 0;
  if (FAILED(o.grabber->GetCurrentBuffer(&size, nullptr)) || size <= 0) return {};
  const long stride = (long(width) * 3 + 3) & ~3L;
  if (size < stride * height) return {};
  std::vector<long> buffer(std::size_t(size + 3) / sizeof(long) + 1);
  if (FAILED(o.grabber->GetCurrentBuffer(&size, buffer.data()))) return {};
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
  Bitmap frame(width, height);
  for (int y = 0; y < height; ++y)
    std::memcpy(frame.Row(y), bytes + (bottomUp ? height - 1 - y : y) * stride, std::size_t(width) * 3);
  return frame;
}

}  // namespace vemra
