#include "viewer/result_model.h"

namespace viewer {

void ResultModel::Clear() {
  configuration_name.clear();
  upload_date.clear();
  length.acquisition.fill(0xFF);
}

}  // namespace viewer
