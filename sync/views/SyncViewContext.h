#pragma once

namespace zev::sync {
class SyncEngine;
class DatabaseBuilder;
class SyncRunner;
class OrderSender;
class Maintenance;
} // namespace zev::sync

namespace zev {

// The synchronisation objects the sign-in, setup and maintenance screens
// drive. The program builds them once; the screens only borrow them.
struct SyncViewContext {
    sync::SyncEngine& engine;
    sync::DatabaseBuilder& builder;
    sync::SyncRunner& runner;
    sync::OrderSender& orders;
    sync::Maintenance& maintenance;
};

} // namespace zev
