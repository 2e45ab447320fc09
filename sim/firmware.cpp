#include "sim/firmware.h"

#include <algorithm>

#include "formats/bytes.h"
#include "formats/memory_map.h"
#include "formats/record_types.h"
#include "formats/version_record_format.h"
#include "sim/record_text.h"

namespace sim {

RecordOutcome Firmware::HandleRecord(std::span<const std::uint8_t> written) {
  ClearPendingData();  // data not read before the next record is gone
  Record r;
  switch (ParseRecord(written, &r)) {
    case RecordError::kNone:
      break;
    case RecordError::kFormat:
      return Refuse(kCodeFormat);
    case RecordError::kLength:
      return Refuse(kCodeLength);
    case RecordError::kChecksum:
      return Refuse(kCodeChecksum);
  }
  const std::span<const std::uint8_t> data(r.data.data(), r.length);
  RecordOutcome ok;
  switch (r.type) {
    case formats::kRecordData:
      return ProgramData(r.address, data);
    case formats::kRecordEndOfFile:     // end of the HEX file
    case formats::kRecordSegmentStart:  // start addresses: nothing to run here
    case formats::kRecordLinearStart:
      return ok;
    case formats::kRecordSegmentAddress:
    case formats::kRecordLinearAddress:
      if (r.length != 2) return Refuse(kCodeBadContent);
      base_ = static_cast<std::uint32_t>(data[0] << 8 | data[1])
              << (r.type == formats::kRecordLinearAddress ? 16 : 4);
      return ok;
    case formats::kRecordBootErase:
    case formats::kRecordApplicationErase:
    case formats::kRecordDataErase:
      if (r.length != 0) return Refuse(kCodeBadContent);
      if (r.type == formats::kRecordBootErase) Erase(formats::kBootAddress, formats::kBootSize);
      if (r.type == formats::kRecordApplicationErase) {
        Erase(formats::kApplicationAddress, formats::kApplicationSize);
      }
      if (r.type == formats::kRecordDataErase) {
        Erase(formats::kDataAddress, formats::kDataSize);
        // The results went with the data; a reply too short to name them stays as it is.
        if (state_->info.size() >= formats::kResultsLengthOffset + 4) {
          formats::WriteU32LE(state_->info.data() + formats::kResultsLengthOffset, 0);
        }
      }
      ok.changed = true;
      return ok;
    case formats::kRecordAfterEnd:  // restart: a new session begins
    case formats::kRecordEnd:       // end of the exchange
      if (r.length != 0) return Refuse(kCodeBadContent);
      base_ = 0;
      ok.end_of_exchange = true;
      return ok;
    case formats::kRecordBeforeEnd:  // commands with no effect on the memory
    case formats::kRecordSequence:
      if (r.length != 0) return Refuse(kCodeBadContent);
      return ok;
    case formats::kRecordReadRequest: {
      if (r.length != 8) return Refuse(kCodeBadContent);
      std::uint32_t address = formats::ReadU32LE(data.data());
      std::uint32_t count = formats::ReadU32LE(data.data() + 4);
      if (count == 0 || count > kMaxReadCount) return Refuse(kCodeBadContent);
      if (address >= formats::kMemorySize || count > formats::kMemorySize - address) {
        return Refuse(kCodeOutOfRange);
      }
      pending_.assign(state_->memory.begin() + address, state_->memory.begin() + address + count);
      has_pending_ = true;
      return ok;
    }
    case formats::kRecordInformation:
      if (r.length != 0) return Refuse(kCodeBadContent);
      pending_.assign(state_->info.begin(),
                      state_->info.begin() +
                          std::min<std::size_t>(state_->info.size(), formats::kInfoCapacity));
      has_pending_ = true;
      return ok;
    default:
      return Refuse(kCodeUnknownType);
  }
}

RecordOutcome Firmware::ProgramData(std::uint16_t address, std::span<const std::uint8_t> data) {
  const std::uint64_t start = static_cast<std::uint64_t>(base_) + address;
  if (start + data.size() > formats::kMemorySize) return Refuse(kCodeOutOfRange);
  std::copy(data.begin(), data.end(), state_->memory.begin() + static_cast<std::ptrdiff_t>(start));
  return {{'O', false, 0}, !data.empty(), false};
}

void Firmware::Erase(std::uint32_t address, std::uint32_t size) {
  std::fill_n(state_->memory.begin() + address, size, std::uint8_t{0xFF});
}

}  // namespace sim
