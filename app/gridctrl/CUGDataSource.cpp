#include "gridctrl/CUGDataSource.h"

CUGDataSource::~CUGDataSource() = default;
