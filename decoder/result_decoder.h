// The result decoder: turns the five images an upload copies from the tester ("VersionTr.zel",
// "ResBin.zel", "MenuBin.zel", "CfgBin.zel", "AcqBin.zel" in the current directory) into the
// results file ".\Results.log", then marks it done in ".\Tr.ini".
//
// The images are hostile input: before anything is written, every chain of records the decoder
// will follow is walked once and checked against the bytes actually loaded. A link of 0xFFFFFFFF
// ends its walk quietly; a menu title that cannot be found is written empty.
//
// Section and key names, value forms and where each value comes from are the rows of
// formats/results_log_format.h; the code here walks the chains and works out the pass flags.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "decoder/image_area.h"
#include "formats/results_log_format.h"
#include "tool/profile_writer.h"
#include "tool/status_display.h"

namespace decoder {

class ResultDecoder {
 public:
  static constexpr std::size_t kImageLimit = 65535;  // bytes loaded of ResBin, CfgBin, AcqBin
  static constexpr std::size_t kMenuMaxEntries = 5617;

  // The collaborators belong to the caller (the transfer job) and must outlive the decoder.
  ResultDecoder(tool::ProfileWriter& writer, tool::StatusDisplay& display);

  // Decodes the images of the current directory into ".\Results.log" and sets [CheminFichier]
  // Resultat in ".\Tr.ini". Returns false, with nothing written:
  //  - when an image file cannot be opened or read (no message);
  //  - when the images are inconsistent: a link, address or count leads outside the loaded bytes
  //    (a box; the old Results.log stays as it was; refusal() says which link);
  //  - when Results.log cannot be created (a box with the system's error text).
  [[nodiscard]] bool Convert();

  // The first two steps of Convert, apart, for tools that only want to inspect images.
  // LoadImages: false when one of the five files cannot be opened or read.
  [[nodiscard]] bool LoadImages();
  // Walks every chain Convert would follow in the loaded images, writing nothing. False when the
  // images are inconsistent; otherwise `keys` (if given) receives the number of keys Convert would
  // write into Results.log.
  [[nodiscard]] bool CheckImages(std::uint64_t* keys = nullptr);

  // Why the last LoadImages or CheckImages failed, as a short fixed text ("configuration 3: next
  // ECU link outside the image", "ResBin.zel cannot be read"); empty after a success. Only for
  // tests and developer tools: the user sees the box alone.
  const std::string& refusal() const { return refusal_; }

  const ImageArea& res_area() const { return res_; }
  const ImageArea& cfg_area() const { return cfg_; }
  const ImageArea& menu_area() const { return menu_; }
  const ImageArea& acq_area() const { return acq_; }

 private:
  enum class Mode { kCheck, kWrite };

  // What the rows of one section read: the records in hand, the first title entry of the test's
  // menu, and the pass flags worked out so far.
  struct Sources {
    std::uint8_t type = 0;  // Cfg_Type of the configuration (rows for type 1 only)
    const std::uint8_t* header = nullptr;
    const std::uint8_t* cfg = nullptr;
    const std::uint8_t* ecu = nullptr;
    const std::uint8_t* frame = nullptr;
    const std::uint8_t* result = nullptr;
    const std::uint8_t* ecu_result = nullptr;
    const std::uint8_t* title = nullptr;
    bool wiring = false, screening = false, signal = false, length = false, ecu_passed = false;
  };

  // Follows a structural link: the record, or nullptr when the walk ends (no-record link) or the
  // link leaves the loaded bytes (then the images are refused: `what` names the link, `config`
  // the configuration it belongs to, or -1).
  const std::uint8_t* Follow(const ImageArea& area, std::uint32_t link, std::size_t size,
                             int config, const char* what);
  void Refuse(int config, const char* what);
  // Menu links never make the images inconsistent: a title that cannot be found is empty.
  const std::uint8_t* MenuLink(const std::uint8_t* entry, std::size_t offset) const;

  void Decode(Mode mode);
  void WriteConfig(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result);
  void WriteEcu(const std::uint8_t* ecu, unsigned c, unsigned e);
  bool WriteTestHT(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result);
  bool WriteTestBlindage(unsigned c, const std::uint8_t* result);
  bool WriteTestST(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result);
  // The second ECU pass of a configuration whose signal tests were run; false when an ECU failed.
  bool WriteEcuSignalPass(const std::uint8_t* cfg, unsigned c, const std::uint8_t* result);
  bool WriteEcuTestST(unsigned c, unsigned e, std::uint8_t type, const std::uint8_t* result,
                      const std::uint8_t* ecu_result);
  bool WriteTestLongueur(unsigned c, const std::uint8_t* result);

  void Progress(unsigned count, unsigned position);
  // The title entry a table's rows have reached, and its number (0: the first title entry).
  struct TitleCursor {
    const std::uint8_t* entry;
    unsigned number;
  };
  // Writes the rows of `kTable` into its section for configuration c, ECU e and frame f, each from
  // its source.
  template <const formats::results_log::Table& kTable>
  void WriteRows(const Sources& sources, unsigned c = 0, unsigned e = 0, unsigned f = 0);
  void WriteRow(const formats::results_log::KeyRow& row, const Sources& sources,
                TitleCursor& title);
  void Put(const char* key);

  tool::ProfileWriter& writer_;
  tool::StatusDisplay& display_;

  ImageArea res_;
  ImageArea cfg_;
  ImageArea menu_;
  ImageArea acq_;

  Mode mode_ = Mode::kCheck;
  bool consistent_ = true;
  std::string refusal_;
  std::uint64_t keys_ = 0;
  // The menu entry of the configuration being written (the root followed c times), or nullptr.
  const std::uint8_t* cfg_menu_ = nullptr;
  std::string date_;
  // Reused for every key, so that writing allocates nothing per record.
  std::string section_;
  std::string key_;
  std::string value_;
};

// One conversion of the image files in the current folder into Results.log with a decoder made for
// it (its areas are released when it returns): what the results upload runs as its last step.
bool ConvertResults(tool::ProfileWriter& writer, tool::StatusDisplay& display);

}  // namespace decoder
