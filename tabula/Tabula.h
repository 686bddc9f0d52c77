#pragma once

// The database-access library: connection, recordsets, the query classes
// every table object derives from, and the pool of lent recordsets.

#include "tabula/AdoEnums.h"
#include "tabula/CVOConnection.h"
#include "tabula/CVORecordset.h"
#include "tabula/DBLib.h"
#include "tabula/ListCtrlQuery.h"
#include "tabula/ListTargets.h"
#include "tabula/PooledQuery.h"
#include "tabula/Query.h"
#include "tabula/QueryPool.h"
#include "tabula/ResultPrinter.h"
#include "tabula/SqlDialect.h"
#include "tabula/TabulaError.h"
#include "tabula/TransactionGuard.h"
#include "tabula/Variant.h"
