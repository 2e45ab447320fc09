#include "viewer/result_model.h"

namespace viewer {

void ResultModel::Clear() {
  *this = ResultModel{};
  length.acquisition.fill(0xFF);
}

}  // namespace viewer
