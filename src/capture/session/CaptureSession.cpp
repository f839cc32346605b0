#include "capture/session/CaptureSession.h"

#include <new>
#include <stdexcept>

#include "base/Cp1252.h"
#include "capture/session/CaptureTexts.h"

namespace vemra {

bool IsOutOfMemory(const std::exception& e) {
  return dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e);
}

CaptureSession::CaptureSession(CaptureView& view, PictureSource& source, PictureStore store,
                               CaptureRequest request)
    : view_(view), source_(source), store_(std::move(store)), request_(std::move(request)) {}

bool CaptureSession::Run() {
  outcome_ = Outcome::kNothing;
  view_.StartRun(request_);
  if (request_.splitPosition == 100) {
    // The remainder of the sheet the first run acquired: no acquisition.
    view_.ShowKeptSheet();
  } else {
    view_.ClearPicture();
    try {
      if (!source_.Prepare(*this)) return false;
    } catch (...) {
      return false;
    }
    view_.SizeFrame(source_.VideoWindowHeight());
  }
  if (!request_.caption.empty()) view_.SetCaption(Utf8(request_.caption));
  bool ok = false;
  try {
    ok = view_.ShowModal(*this);
  } catch (...) {
    source_.Stop();
    throw;
  }
  source_.Stop();
  return ok && outcome_ != Outcome::kNothing;
}

std::string CaptureSession::CaptureButtonCaption() const {
  return source_.IsLive() ? "Frys" : source_.ButtonCaption();
}

bool CaptureSession::LiveShown() const { return source_.IsLive(); }

void CaptureSession::PressCapture() {
  try {
    source_.Capture(*this);
  } catch (const std::exception& e) {
    ShowMessage(IsOutOfMemory(e) ? capture_texts::kPictureTooLarge : capture_texts::kCaptureFailed,
                MessageKind::kError);
  }
  view_.UpdateSourceButtons();
}

bool CaptureSession::StorePicture() {
  // OK is disabled without a picture; a stray Enter must not close with OK
  // and report a picture that was never stored.
  if (!view_.HasPicture() || source_.IsLive()) return false;
  Bitmap framed;
  try {
    framed = view_.FramedPicture();
  } catch (const std::exception& e) {
    if (!IsOutOfMemory(e)) throw;
    ShowMessage(capture_texts::kPictureTooLarge, MessageKind::kError);
    return false;
  }
  if (framed.Empty()) return false;
  if (store_.exists(request_.fileName) &&
      !view_.AskReplace(framed, request_.fileName, request_.purpose)) {
    outcome_ = Outcome::kKept;
    return true;
  }
  try {
    store_.save(framed, request_.fileName, request_.quality);
  } catch (const std::exception&) {
    // The old file is untouched; the user may try again or cancel.
    ShowMessage(std::string(capture_texts::kSaveFailed) + Utf8(request_.fileName) + ".",
                MessageKind::kError);
    return false;
  }
  outcome_ = Outcome::kWritten;
  return true;
}

void CaptureSession::DeliverPicture(Bitmap picture, bool fit) {
  try {
    view_.SetPicture(std::move(picture), fit);
  } catch (const std::exception& e) {
    if (!IsOutOfMemory(e)) throw;
    ShowMessage(capture_texts::kPictureTooLarge, MessageKind::kError);
  }
}

bool CaptureSession::DeliverFrozenFrame(Bitmap frame, ScreenSize liveArea) {
  try {
    view_.SetFrozenFrame(std::move(frame), liveArea);
    return true;
  } catch (const std::exception& e) {
    if (!IsOutOfMemory(e)) throw;
    ShowMessage(capture_texts::kPictureTooLarge, MessageKind::kError);
    return false;
  }
}

void CaptureSession::DialogShown() {
  // Runs from the dialog's timer: a failing start leaves the panel black.
  try {
    source_.DialogShown();
  } catch (...) {
  }
  view_.UpdateSourceButtons();
}

void CaptureSession::DialogMoved() {
  try {
    source_.DialogMoved();
  } catch (...) {
  }
}

void CaptureSession::DialogClosing() {
  try {
    source_.Stop();
  } catch (...) {
  }
}

ScreenSize CaptureSession::LiveArea() const { return source_.LiveArea(); }

void CaptureSession::ShowMessage(const std::string& utf8Text, MessageKind kind) {
  view_.ShowMessage(utf8Text, kind);
}

}  // namespace vemra
