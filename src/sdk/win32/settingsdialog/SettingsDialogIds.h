#pragma once
// Control ids of TdlgdllSettings, for the window and for tests that drive it.
#include <windows.h>

namespace vemra::settings_ids {

inline constexpr wchar_t kCaption[] = L"Inst\u00e4llningar";

enum : int {
  kPages = 1000,  // page control: photo, print, issuer

  // "Foto && Signatur"
  kPhotoTwain = 1101,  // rgFoto
  kPhotoFile,
  kSignTwain = 1111,  // rgSign
  kSignFile,
  kSignNone,
  kSelectScanner = 1120,  // SpeedButton1
  kHideScannerUI,         // ckScanUI
  kSplit,                 // ckSplit
  kHorizontal,            // spHorz
  kVertical,              // spVert
  kSplitPreview,          // pSplit
  kSplitPreviewVertical,  // pSplitVert

  // "Utskrift"
  kSendPrinter = 1201,  // rgSendMethod
  kSendFtp,
  kSendMail,
  kSendHttp,
  kPrinter = 1210,  // cbPrinter
  kOrientationPrinter,  // rgOrientering
  kOrientationPortrait,
  kOrientationLandscape,
  kLeftMargin,  // eLeft
  kTopMargin,   // eTop
  kMailServer = 1220,
  kMailFrom,
  kUseProxy = 1230,
  kProxyAddress,
  kProxyPort,

  // "Kommunuppgifter"
  kIssuerTabs = 1300,  // TabSet1
  kLogo,               // eKLogo
  kLogoBrowse,         // "..."
  kIssuerLine1,        // eKRad1
  kIssuerLine2,        // eKRad2
  kLogoPanel,          // the preview; the next three are its children
  kLogoPicture,
  kPreviewLine1,
  kPreviewLine2,
  kOrtexName = 1320,  // eOrtexKnamn
  kOrtexTelephone,    // eOrtexKTele

  kFirstLabel = 1400,  // labels and group boxes from here on
};

}  // namespace vemra::settings_ids
