// The tester's packed little-endian records: configuration header, configuration, ECU, frame and
// menu entry. One table of offsets per record, shared by the configuration builder (which writes
// them) and the result decoder (which reads them back from the tester's memory images).
//
// Links are u32: the byte offset of the target (from the start of the configuration header, or
// from menu entry 0); kNoLink means no record.
#pragma once

#include <cstddef>
#include <cstdint>

namespace formats {

inline constexpr std::uint32_t kNoLink = 0xFFFFFFFF;

namespace cfg_header {
inline constexpr std::size_t kSize = 74;
inline constexpr std::size_t kFirstText = 0;     // 20 bytes, trimmed
inline constexpr std::size_t kNom = 20;          // 20 bytes
inline constexpr std::size_t kNomCompl = 40;     // 20 bytes
inline constexpr std::size_t kPassThrough = 60;  // 6 bytes
inline constexpr std::size_t kNbrRes = 66;       // u8, configuration count
inline constexpr std::size_t kZero67 = 67;       // u8, 0
inline constexpr std::size_t kFirstCfg = 68;     // link
inline constexpr std::size_t kOption = 72;       // u8
inline constexpr std::size_t kZero73 = 73;       // u8, 0
inline constexpr std::size_t kTextWidth = 20;
}  // namespace cfg_header

namespace cfg_record {
inline constexpr std::size_t kSize = 114;
inline constexpr std::size_t kCfgNom = 0;       // 17 bytes
inline constexpr std::size_t kCfgNomComp = 17;  // 17 bytes
inline constexpr std::size_t kNameWidth = 17;
inline constexpr std::size_t kCfgType = 34;   // u8
inline constexpr std::size_t kTitreVcc = 35;  // 10 bytes
inline constexpr std::size_t kTitreVccWidth = 10;
inline constexpr std::size_t kCfgNbrEcu = 45;      // u8
inline constexpr std::size_t kFirstEcu = 46;       // link
inline constexpr std::size_t kPassThrough50 = 50;  // u16
inline constexpr std::size_t kSeuilMinTauxCharge = 52;
inline constexpr std::size_t kSeuilMaxTauxCharge = 53;
inline constexpr std::size_t kSeuilMinTauxErr = 54;
inline constexpr std::size_t kSeuilMaxTauxErr = 55;
inline constexpr std::size_t kSeuilMinRL1 = 58;
inline constexpr std::size_t kSeuilMinRL2 = 59;
inline constexpr std::size_t kSeuilMaxRL1 = 60;
inline constexpr std::size_t kSeuilMaxRL2 = 61;
inline constexpr std::size_t kSeuilMinDL1 = 62;
inline constexpr std::size_t kSeuilMinDL2 = 63;
inline constexpr std::size_t kSeuilMaxDL1 = 64;
inline constexpr std::size_t kSeuilMaxDL2 = 65;
inline constexpr std::size_t kSeuilCcL1Vcc =
    82;  // u8, then L2/VCC, L1/GND, L2/GND, L1/SHIELD, L2/SHIELD
inline constexpr std::size_t kSeuilCoL1L2 = 94;      // u32
inline constexpr std::size_t kSeuilBasRL1L2 = 98;    // u16
inline constexpr std::size_t kSeuilHautRL1L2 = 100;  // u16
inline constexpr std::size_t kNext = 106;            // link
inline constexpr std::size_t kPrev = 110;            // link
}  // namespace cfg_record

namespace ecu_record {
inline constexpr std::size_t kSize = 32;
inline constexpr std::size_t kNom = 0;  // 17 bytes
inline constexpr std::size_t kNomWidth = 17;
inline constexpr std::size_t kNbMsg = 17;       // u8
inline constexpr std::size_t kFirstFrame = 18;  // link
inline constexpr std::size_t kNext = 24;        // link
inline constexpr std::size_t kPrev = 28;        // link
}  // namespace ecu_record

namespace frame_record {
inline constexpr std::size_t kSize = 40;
inline constexpr std::size_t kIdent = 0;  // u32
inline constexpr std::size_t kNom = 4;    // 20 bytes
inline constexpr std::size_t kNomWidth = 20;
inline constexpr std::size_t kPass24 = 24;  // u8
inline constexpr std::size_t kPass25 = 25;  // u8
inline constexpr std::size_t kPass26 = 26;  // u16
inline constexpr std::size_t kPass30 = 30;  // u8
inline constexpr std::size_t kPass31 = 31;  // u8
inline constexpr std::size_t kNext = 32;    // link
inline constexpr std::size_t kPrev = 36;    // link
}  // namespace frame_record

namespace menu_entry {
inline constexpr std::size_t kSize = 70;
inline constexpr std::size_t kTitle = 0;    // 20 bytes
inline constexpr std::size_t kParent = 20;  // link
inline constexpr std::size_t kPrev = 24;    // link
inline constexpr std::size_t kNext = 28;    // link
inline constexpr std::size_t kLabel = 32;   // 20 bytes
inline constexpr std::size_t kTextWidth = 20;
inline constexpr std::size_t kIndex = 54;  // u16
inline constexpr std::size_t kFlags = 56;  // u16
inline constexpr std::size_t kCfgIndex = 58;
inline constexpr std::size_t kUceIndex = 59;
inline constexpr std::size_t kCode = 60;
inline constexpr std::size_t kExtra1 = 61;
inline constexpr std::size_t kExtra2 = 62;
inline constexpr std::size_t kExtra3 = 63;
inline constexpr std::size_t kGroup = 64;
inline constexpr std::size_t kChild = 66;  // link
}  // namespace menu_entry

}  // namespace formats
