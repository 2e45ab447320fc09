#include "report/result_model.h"

namespace report {

void ResultModel::Clear() {
  *this = ResultModel{};
  length.acquisition.fill(0xFF);
}

}  // namespace report
