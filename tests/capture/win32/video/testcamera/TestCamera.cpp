// A DirectShow video input device of our own for the Windows tests: like
// most webcams, one capture pin (the preview comes through a tee) giving 1280 x 720 RGB24 frames of a known pattern (blue
// x / 5, green y / 3, red 90), registered by the test as a COM server and
// as an entry of the video input category.
#include <windows.h>
#include <dshow.h>

#include <atomic>
#include <cstring>
#include <cwchar>
#include <new>
#include <thread>

namespace {

// {5E1C2A40-7B3D-4C8E-9A61-2F0D3B7C9E11}
const GUID kClsid{0x5e1c2a40, 0x7b3d, 0x4c8e, {0x9a, 0x61, 0x2f, 0x0d, 0x3b, 0x7c, 0x9e, 0x11}};
constexpr int kWidth = 1280, kHeight = 720;
constexpr long kFrameBytes = long(kWidth) * kHeight * 3;
const wchar_t kPinId[] = L"Capture";

AM_MEDIA_TYPE* NewType() {
  auto* type = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  auto* info = static_cast<VIDEOINFOHEADER*>(CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
  if (!type || !info) return CoTaskMemFree(type), CoTaskMemFree(info), nullptr;
  std::memset(type, 0, sizeof *type);
  std::memset(info, 0, sizeof *info);
  info->AvgTimePerFrame = 400000;
  info->bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 24, BI_RGB, DWORD(kFrameBytes), 0, 0, 0, 0};
  type->majortype = MEDIATYPE_Video;
  type->subtype = MEDIASUBTYPE_RGB24;
  type->bFixedSizeSamples = TRUE;
  type->lSampleSize = kFrameBytes;
  type->formattype = FORMAT_VideoInfo;
  type->cbFormat = sizeof(VIDEOINFOHEADER);
  type->pbFormat = reinterpret_cast<BYTE*>(info);
  return type;
}

void DeleteType(AM_MEDIA_TYPE* type) {
  if (!type) return;
  CoTaskMemFree(type->pbFormat);
  CoTaskMemFree(type);
}

class Filter;

class Pin final : public IPin, public IKsPropertySet, public IAMStreamConfig {
 public:
  explicit Pin(Filter& f) : filter_(f) {}
  ~Pin() { Disconnect(); }

  // IUnknown (the filter's count)
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IPin
  HRESULT STDMETHODCALLTYPE Connect(IPin* receiver, const AM_MEDIA_TYPE* wanted) override {
    if (connected_) return VFW_E_ALREADY_CONNECTED;
    if (wanted && wanted->majortype != GUID_NULL && wanted->subtype != GUID_NULL &&
        wanted->subtype != MEDIASUBTYPE_RGB24)
      return VFW_E_TYPE_NOT_ACCEPTED;
    AM_MEDIA_TYPE* type = NewType();
    HRESULT hr = receiver->ReceiveConnection(this, type);
    DeleteType(type);
    if (FAILED(hr)) return hr;
    hr = receiver->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input_));
    if (SUCCEEDED(hr) && FAILED(input_->GetAllocator(&allocator_)))
      hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                            reinterpret_cast<void**>(&allocator_));
    ALLOCATOR_PROPERTIES want{2, kFrameBytes, 1, 0}, got{};
    if (SUCCEEDED(hr)) hr = allocator_->SetProperties(&want, &got);
    if (SUCCEEDED(hr)) hr = input_->NotifyAllocator(allocator_, FALSE);
    if (FAILED(hr)) {
      receiver->Disconnect();
      Disconnect();
      return hr;
    }
    connected_ = receiver;
    connected_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE Disconnect() override {
    const bool was = connected_;
    for (IUnknown* p : {static_cast<IUnknown*>(connected_), static_cast<IUnknown*>(input_),
                        static_cast<IUnknown*>(allocator_)})
      if (p) p->Release();
    connected_ = nullptr, input_ = nullptr, allocator_ = nullptr;
    return was ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override {
    *pin = connected_;
    if (!connected_) return VFW_E_NOT_CONNECTED;
    connected_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE* type) override {
    if (!connected_) return VFW_E_NOT_CONNECTED;
    AM_MEDIA_TYPE* ours = NewType();
    *type = *ours;  // takes the format block
    CoTaskMemFree(ours);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
  HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* d) override { return *d = PINDIR_OUTPUT, S_OK; }
  HRESULT STDMETHODCALLTYPE QueryId(LPWSTR* id) override {
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof kPinId));
    std::memcpy(*id, kPinId, sizeof kPinId);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE* t) override {
    return t->subtype == MEDIASUBTYPE_RGB24 ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** out) override;
  HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EndOfStream() override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE BeginFlush() override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE EndFlush() override { return E_UNEXPECTED; }
  HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

  // IKsPropertySet: the pin's category
  HRESULT STDMETHODCALLTYPE Set(REFGUID, DWORD, LPVOID, DWORD, LPVOID, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Get(REFGUID set, DWORD id, LPVOID, DWORD, LPVOID data, DWORD size,
                                DWORD* returned) override {
    if (set != AMPROPSETID_Pin || id != AMPROPERTY_PIN_CATEGORY) return E_NOTIMPL;
    if (!data || size < sizeof(GUID)) return E_POINTER;
    *static_cast<GUID*>(data) = PIN_CATEGORY_CAPTURE;
    if (returned) *returned = sizeof(GUID);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QuerySupported(REFGUID set, DWORD id, DWORD* support) override {
    if (set != AMPROPSETID_Pin || id != AMPROPERTY_PIN_CATEGORY) return E_NOTIMPL;
    if (support) *support = 1;  // KSPROPERTY_SUPPORT_GET
    return S_OK;
  }

  // IAMStreamConfig
  HRESULT STDMETHODCALLTYPE SetFormat(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFormat(AM_MEDIA_TYPE** type) override {
    *type = NewType();
    return *type ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetNumberOfCapabilities(int* count, int* size) override {
    *count = 0, *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetStreamCaps(int, AM_MEDIA_TYPE**, BYTE*) override { return E_NOTIMPL; }

  IMemAllocator* Allocator() const { return allocator_; }
  IMemInputPin* Input() const { return input_; }

 private:
  Filter& filter_;
  IPin* connected_ = nullptr;
  IMemInputPin* input_ = nullptr;
  IMemAllocator* allocator_ = nullptr;
};

class Filter final : public IBaseFilter {
 public:
  Filter() : pin_(*this) {}
  ~Filter() { Stop(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
      *out = static_cast<IBaseFilter*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --refs_;
    if (left == 0) delete this;
    return ULONG(left);
  }

  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override { return *id = kClsid, S_OK; }
  HRESULT STDMETHODCALLTYPE Stop() override {
    running_ = false;
    if (pin_.Allocator()) pin_.Allocator()->Decommit();
    if (worker_.joinable()) worker_.join();
    state_ = State_Stopped;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Pause() override {
    Start();
    state_ = State_Paused;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME) override {
    Start();
    state_ = State_Running;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetState(DWORD, FILTER_STATE* s) override { return *s = state_, S_OK; }
  HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** c) override { return *c = nullptr, S_OK; }
  HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** out) override;
  HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override {
    if (!id || lstrcmpW(id, kPinId) != 0) return *pin = nullptr, VFW_E_NOT_FOUND;
    *pin = &pin_;
    pin_.AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override {
    wcscpy(info->achName, L"Vemra testkamera");
    info->pGraph = graph_;
    if (graph_) graph_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR) override {
    graph_ = graph;  // the graph holds us, not the other way round
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR*) override { return E_NOTIMPL; }

  Pin& OutputPin() { return pin_; }

 private:
  void Start() {
    if (running_ || !pin_.Allocator() || !pin_.Input()) return;
    if (FAILED(pin_.Allocator()->Commit())) return;
    running_ = true;
    worker_ = std::thread([this] { Deliver(); });
  }

  void Deliver() {
    while (running_) {
      IMediaSample* sample = nullptr;
      if (FAILED(pin_.Allocator()->GetBuffer(&sample, nullptr, nullptr, 0)) || !sample) return;
      BYTE* data = nullptr;
      sample->GetPointer(&data);
      if (data && sample->GetSize() >= kFrameBytes) {
        for (int row = 0; row < kHeight; ++row) {  // bottom-up
          BYTE* p = data + std::size_t(row) * kWidth * 3;
          const int y = kHeight - 1 - row;
          for (int x = 0; x < kWidth; ++x, p += 3) p[0] = BYTE(x / 5), p[1] = BYTE(y / 3), p[2] = 90;
        }
        sample->SetActualDataLength(kFrameBytes);
        sample->SetSyncPoint(TRUE);
        pin_.Input()->Receive(sample);
      }
      sample->Release();
      Sleep(40);
    }
  }

  std::atomic<long> refs_{1};
  Pin pin_;
  IFilterGraph* graph_ = nullptr;
  FILTER_STATE state_ = State_Stopped;
  std::atomic<bool> running_{false};
  std::thread worker_;
};

HRESULT Pin::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IPin) *out = static_cast<IPin*>(this);
  else if (iid == IID_IKsPropertySet) *out = static_cast<IKsPropertySet*>(this);
  else if (iid == IID_IAMStreamConfig) *out = static_cast<IAMStreamConfig*>(this);
  else return *out = nullptr, E_NOINTERFACE;
  AddRef();
  return S_OK;
}
ULONG Pin::AddRef() { return filter_.AddRef(); }
ULONG Pin::Release() { return filter_.Release(); }
HRESULT Pin::QueryPinInfo(PIN_INFO* info) {
  info->pFilter = &filter_;
  filter_.AddRef();
  info->dir = PINDIR_OUTPUT;
  wcscpy(info->achName, kPinId);
  return S_OK;
}

// One-item enumerators over the pin and its media type.
template <class Interface, class Item>
class OneItem final : public Interface {
 public:
  using Make = Item* (*)(void*);
  OneItem(const IID& iid, Make make, void* context, IUnknown* owner)
      : iid_(iid), make_(make), context_(context), owner_(owner) {
    owner_->AddRef();
  }
  ~OneItem() { owner_->Release(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == iid_) return *out = this, AddRef(), S_OK;
    return *out = nullptr, E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --refs_;
    if (left == 0) delete this;
    return ULONG(left);
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, Item** items, ULONG* fetched) override {
    ULONG n = 0;
    if (count > 0 && next_ == 0) items[n++] = make_(context_), next_ = 1;
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ += count;
    return next_ <= 1 ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override { return next_ = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE Clone(Interface** out) override {
    auto* copy = new (std::nothrow) OneItem(iid_, make_, context_, owner_);
    if (!copy) return E_OUTOFMEMORY;
    copy->next_ = next_;
    *out = copy;
    return S_OK;
  }

 private:
  const IID& iid_;
  Make make_;
  void* context_;
  IUnknown* owner_;
  std::atomic<long> refs_{1};
  ULONG next_ = 0;
};

IPin* PinOf(void* filter) {
  Pin& pin = static_cast<Filter*>(filter)->OutputPin();
  pin.AddRef();
  return &pin;
}
AM_MEDIA_TYPE* TypeOf(void*) { return NewType(); }

HRESULT Filter::EnumPins(IEnumPins** out) {
  *out = new (std::nothrow) OneItem<IEnumPins, IPin>(IID_IEnumPins, PinOf, this, this);
  return *out ? S_OK : E_OUTOFMEMORY;
}
HRESULT Pin::EnumMediaTypes(IEnumMediaTypes** out) {
  *out = new (std::nothrow) OneItem<IEnumMediaTypes, AM_MEDIA_TYPE>(IID_IEnumMediaTypes, TypeOf, nullptr,
                                                                static_cast<IBaseFilter*>(&filter_));
  return *out ? S_OK : E_OUTOFMEMORY;
}

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) return *out = this, S_OK;
    return *out = nullptr, E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* filter = new (std::nothrow) Filter;
    if (!filter) return E_OUTOFMEMORY;
    const HRESULT hr = filter->QueryInterface(iid, out);
    filter->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
Factory factory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (clsid != kClsid) return *out = nullptr, CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

// Never unloaded: a stopped filter's thread may still be ending.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
