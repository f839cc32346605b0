#pragma once
// The sample grabber filter's interface, which the cross compiler's
// headers do not declare usably.
#include <dshow.h>

namespace vemra {

// {6B652FFF-11FE-4FCE-92AD-0266B5D7C78F}
inline constexpr GUID kIidSampleGrabber{
    0x6b652fff, 0x11fe, 0x4fce, {0x92, 0xad, 0x02, 0x66, 0xb5, 0xd7, 0xc7, 0x8f}};
// {C1F400A0-3F08-11D3-9F0B-006008039E37}
inline constexpr GUID kClsidSampleGrabber{
    0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

struct SampleGrabberCallback;

struct SampleGrabberInterface : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetOneShot(BOOL oneShot) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetMediaType(const AM_MEDIA_TYPE* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetConnectedMediaType(AM_MEDIA_TYPE* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBufferSamples(BOOL bufferThem) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentBuffer(long* size, long* buffer) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentSample(IMediaSample** sample) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCallback(SampleGrabberCallback* callback, long method) = 0;
};

}  // namespace vemra
