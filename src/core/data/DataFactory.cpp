#include "data/DataFactory.h"

#include "data/DataBinary.h"
#include "data/DataContingency.h"
#include "data/DataNominal.h"
#include "data/DataNumerical.h"

std::unique_ptr<CData> CreateDataTable(int dataType) {
  switch (dataType) {
    case 1:
      return std::make_unique<CData_Binary>();
    case 2:
      return std::make_unique<CData_Nominal>();
    case 3:
      return std::make_unique<CData_ContingencyTable>();
    default:
      return std::make_unique<CData_Numerical>();
  }
}
