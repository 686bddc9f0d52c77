#include "app/CZevSatchelDoc.h"

#include "tabula/QueryPool.h"

CZevSatchelDoc::~CZevSatchelDoc()
{
    // Every pooled recordset and the connection close here; no table object
    // outlives the document.
    if (QueryPool* pool = QueryPool::GetInstance(0))
        pool->removeAll();
}
