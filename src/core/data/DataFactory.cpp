// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataFactory.h"

#include "data/DataBinary.h"
#include "data/DataContingency.h"
#include "data/DataNominal.h"
#include "data/DataNumerical.h"

std::unique_ptr<CData> CreateDataTable(EDataType dataType) {
  switch (dataType) {
    case EDataType::kBinary:
      return std::make_unique<CData_Binary>();
    case EDataType::kNominal:
      return std::make_unique<CData_Nominal>();
    case EDataType::kContingency:
      return std::make_unique<CData_ContingencyTable>();
    default:
      return std::make_unique<CData_Numerical>();
  }
}
