#pragma once
// The few TWAIN 1.x records, codes and entry-point types this library and
// its test source speak. Every record is packed on 2-byte boundaries.
#include <windows.h>

#include <cstdint>

namespace vemra::twain {

using TW_UINT16 = std::uint16_t;
using TW_UINT32 = std::uint32_t;
using TW_INT16 = std::int16_t;
using TW_BOOL = std::uint16_t;
using TW_HANDLE = HANDLE;
// What a native transfer writes: a handle, as wide as the process's pointers.
using TW_UINTPTR = std::uintptr_t;
using TW_MEMREF = void*;
using TW_STR32 = char[34];

#pragma pack(push, 2)
struct TW_VERSION {
  TW_UINT16 MajorNum, MinorNum, Language, Country;
  TW_STR32 Info;
};
struct TW_IDENTITY {
  TW_UINT32 Id;
  TW_VERSION Version;
  TW_UINT16 ProtocolMajor, ProtocolMinor;
  TW_UINT32 SupportedGroups;
  TW_STR32 Manufacturer, ProductFamily, ProductName;
};
struct TW_USERINTERFACE {
  TW_BOOL ShowUI;
  TW_BOOL ModalUI;
  TW_HANDLE hParent;
};
struct TW_EVENT {
  TW_MEMREF pEvent;
  TW_UINT16 TWMessage;
};
struct TW_PENDINGXFERS {
  TW_UINT16 Count;
  TW_UINT32 Reserved;
};
struct TW_CAPABILITY {
  TW_UINT16 Cap;
  TW_UINT16 ConType;
  TW_HANDLE hContainer;
};
struct TW_ONEVALUE {
  TW_UINT16 ItemType;
  TW_UINT32 Item;
};
struct TW_STATUS {
  TW_UINT16 ConditionCode;
  TW_UINT16 Reserved;
};
#pragma pack(pop)

// The header's layout for each word size: records holding a pointer or a
// handle grow by four bytes in a 64-bit process; the others stay.
static_assert(sizeof(TW_IDENTITY) == 156 && sizeof(TW_PENDINGXFERS) == 6 &&
              sizeof(TW_ONEVALUE) == 6 && sizeof(TW_STATUS) == 4);
#if defined(_WIN64)
static_assert(sizeof(TW_EVENT) == 10 && sizeof(TW_USERINTERFACE) == 12 &&
              sizeof(TW_CAPABILITY) == 12 && sizeof(TW_UINTPTR) == 8);
#else
static_assert(sizeof(TW_EVENT) == 6 && sizeof(TW_USERINTERFACE) == 8 &&
              sizeof(TW_CAPABILITY) == 8 && sizeof(TW_UINTPTR) == 4);
#endif

using DSMENTRYPROC = TW_UINT16(WINAPI*)(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 dg,
                                        TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

enum : TW_UINT32 { DG_CONTROL = 1, DG_IMAGE = 2 };

enum : TW_UINT16 {
  DAT_CAPABILITY = 1,
  DAT_EVENT = 2,
  DAT_IDENTITY = 3,
  DAT_PARENT = 4,
  DAT_PENDINGXFERS = 5,
  DAT_STATUS = 8,
  DAT_USERINTERFACE = 9,
  DAT_IMAGENATIVEXFER = 0x0104,
};

enum : TW_UINT16 {
  MSG_NULL = 0,
  MSG_GET = 1,
  MSG_SET = 6,
  MSG_RESET = 7,
  MSG_GETFIRST = 4,
  MSG_GETNEXT = 5,
  MSG_XFERREADY = 0x0101,
  MSG_CLOSEDSREQ = 0x0102,
  MSG_OPENDSM = 0x0301,
  MSG_CLOSEDSM = 0x0302,
  MSG_OPENDS = 0x0401,
  MSG_CLOSEDS = 0x0402,
  MSG_USERSELECT = 0x0403,
  MSG_DISABLEDS = 0x0501,
  MSG_ENABLEDS = 0x0502,
  MSG_PROCESSEVENT = 0x0601,
  MSG_ENDXFER = 0x0701,
};

enum : TW_UINT16 {
  TWRC_SUCCESS = 0,
  TWRC_FAILURE = 1,
  TWRC_CHECKSTATUS = 2,
  TWRC_CANCEL = 3,
  TWRC_DSEVENT = 4,
  TWRC_NOTDSEVENT = 5,
  TWRC_XFERDONE = 6,
  TWRC_ENDOFLIST = 7,
};

enum : TW_UINT16 {
  TWCC_SUCCESS = 0,
  TWCC_BUMMER = 1,
  TWCC_LOWMEMORY = 2,
  TWCC_OPERATIONERROR = 5,
  TWCC_BADPROTOCOL = 9,
  TWCC_SEQERROR = 11,
};

enum : TW_UINT16 {
  CAP_XFERCOUNT = 0x0001,
  TWON_ONEVALUE = 5,
  TWON_DONTCARE16 = 0xFFFF,
  TWTY_INT16 = 1,
};

}  // namespace vemra::twain
