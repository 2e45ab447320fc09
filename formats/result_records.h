// The tester's result records as they lie in its result area ("ResBin.zel"): one ResultRecord per
// configuration and, for configurations of type 1, one EcuResultRecord per ECU. The firmware alone
// writes them; links are tester addresses (see ImageArea for their resolution). Bytes not listed
// here are not used.
#pragma once

#include <cstddef>

namespace formats {

// The first u32 of the result area: tester address of the first ResultRecord.
inline constexpr std::size_t kFirstResultRecord = 0;

namespace result_record {
inline constexpr std::size_t kFirstEcuResult = 0;  // link (type-1 configurations)
inline constexpr std::size_t kValVcc = 4;          // u16
inline constexpr std::size_t kValDebitConf = 6;    // u16
inline constexpr std::size_t kTolDebit = 8;        // u16
inline constexpr std::size_t kValCcL1Vcc =
    20;  // u32, then L2/VCC, L1/GND, L2/GND, L1/SHIELD, L2/SHIELD
inline constexpr std::size_t kEtatCc = 44;          // u8, bits 0-5 in the order of the values above
inline constexpr std::size_t kValRL1L2 = 46;        // u32
inline constexpr std::size_t kEtatCoL1L2 = 50;      // u8, 0 = passed
inline constexpr std::size_t kEtatRL1L2 = 51;       // u8, 0 = fault
inline constexpr std::size_t kLongueurMax = 52;     // u16
inline constexpr std::size_t kDebit = 54;           // u16
inline constexpr std::size_t kLongueurMes = 56;     // u16
inline constexpr std::size_t kVitesse = 58;         // u8
inline constexpr std::size_t kResultLongueur = 59;  // u8, 1 = passed
inline constexpr std::size_t kSeuilCoBlindage = 60;   // u32
inline constexpr std::size_t kMesCoBlindage = 64;     // u32
inline constexpr std::size_t kResultBlindage = 68;    // u8, 1 = passed
inline constexpr std::size_t kTestsFaisceau = 70;     // u8, non-zero = run
inline constexpr std::size_t kTestsElectriques = 71;  // u8
inline constexpr std::size_t kTestLongueur = 72;      // u8
inline constexpr std::size_t kTestBlindage = 73;      // u8
inline constexpr std::size_t kNext = 80;              // link
// Bytes a record must span to be read: up to the end of its next link.
inline constexpr std::size_t kUsedSize = 84;
}  // namespace result_record

namespace ecu_result_record {
inline constexpr std::size_t kValRL1 = 0;         // u8
inline constexpr std::size_t kValRL2 = 1;         // u8
inline constexpr std::size_t kValDL1 = 2;         // u8
inline constexpr std::size_t kValDL2 = 3;         // u8
inline constexpr std::size_t kValRiseL1 = 4;      // u16
inline constexpr std::size_t kValRiseL2 = 6;      // u16
inline constexpr std::size_t kValDownL1 = 8;      // u16
inline constexpr std::size_t kValDownL2 = 10;     // u16
inline constexpr std::size_t kValOscL1 = 12;      // u8
inline constexpr std::size_t kValOscL2 = 13;      // u8
inline constexpr std::size_t kValErrMesRL1 = 14;  // u16
inline constexpr std::size_t kValErrMesRL2 = 16;  // u16
inline constexpr std::size_t kValErrMesDL1 = 18;  // u16
inline constexpr std::size_t kValErrMesDL2 = 20;  // u16
inline constexpr std::size_t kValDebit = 22;      // u16
inline constexpr std::size_t kEtat = 25;          // u8, 1 = passed per bit
inline constexpr unsigned kBitRL1 = 0;
inline constexpr unsigned kBitRL2 = 1;
inline constexpr unsigned kBitDL1 = 2;
inline constexpr unsigned kBitDL2 = 3;
inline constexpr unsigned kBitDebit = 4;
inline constexpr unsigned kBitTestSt = 6;
inline constexpr std::size_t kNext = 26;  // link
inline constexpr std::size_t kUsedSize = 30;
}  // namespace ecu_result_record

}  // namespace formats
