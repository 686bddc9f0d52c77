#pragma once

// The C entry points of the four helper libraries (Q9UTIL.so, Q9CPRS.so,
// Q9INET.so, PRICING.so). The program never links against them: it loads each
// with dlopen from the program folder and looks the entry points up by these
// exact names (app/libraries/LibraryTable.h). This header gives the
// function-pointer types the program stores and the prototypes the libraries
// export; it is the whole contract between the two sides.
//
// All texts are zero-terminated byte strings. Unless stated otherwise a result
// of non-zero means success and 0 failure.

#ifdef __cplusplus
namespace zev {
class IProgressSink;
}
using Q9ProgressSink = zev::IProgressSink;
#else
typedef struct Q9ProgressSink Q9ProgressSink;
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define Q9_EXPORT __attribute__((visibility("default")))
#else
#define Q9_EXPORT
#endif

// Length of a digest made by Q9Hash and Q9HashFile, in characters (lower-case
// hexadecimal). A buffer of Q9_DIGEST_LENGTH + 1 bytes receives it with its
// terminator.
enum { Q9_DIGEST_LENGTH = 32 };

// Size of each text output buffer of the pricing entry points.
enum { Q9_PRICE_BUFFER_SIZE = 50 };

// ---------------------------------------------------------------- Q9UTIL.so

// Digest of a password: PBKDF2-HMAC-SHA256 with a fixed application salt, so
// the same password always gives the same 32 characters (the program and the
// server compare digests as text). `size` is the size of `out` in bytes:
//   size >= 33  32 digest characters and a terminating zero;
//   size == 32  exactly 32 digest characters and NO terminator: the caller
//               must treat the buffer as a fixed 32-character field;
//   size <  32  nothing is written except out[0] = 0 when size > 0; result 0.
// Returns 1 on success, 0 on failure (null text or out, size too small).
typedef int (*Q9HashFn)(const char* text, char* out, int size);

// Digest of a file's contents (SHA-256, first 16 bytes in hexadecimal), with
// the same buffer rules as Q9Hash. Returns 0 when the file cannot be read.
typedef int (*Q9HashFileFn)(const char* path, char* out, int size);

// Sets the system clock to the given local time when the process may
// (CAP_SYS_TIME). Arguments in this order: year (e.g. 2026), month 1-12,
// day 1-31, hour 0-23, minute 0-59, second 0-59. Out-of-range or impossible
// dates (February 30) change nothing. Returns 1 when the clock was set, 0 when
// it was not (invalid values, not permitted, system refusal).
typedef int (*Q9SetTimeFn)(int year, int month, int day, int hour, int minute, int second);

// Brings the named NetworkManager connection up (nmcli connection up id NAME).
// `owner` is the caller's window, unused. Returns 0 when the connection was
// opened; non-zero when it was not (1 bad name, 2 nmcli not installed, 3 nmcli
// refused or failed).
typedef int (*Q9ConnectFn)(const char* name, void* owner);

// Brings down the connection opened by the last successful Q9Connect of this
// process, if any. Returns 1 when it was closed (or nothing was open), 0 when
// closing failed.
typedef int (*Q9DisconnectFn)(void);

// Non-zero while the connection opened by Q9Connect is active.
typedef int (*Q9IsConnectedFn)(void);

// Tells a library the per-user data folder when the program's folder rules
// differ from the defaults (see Q9SetDataDir below). Optional entry point.
typedef void (*Q9SetDataDirFn)(const char* dir);

// ---------------------------------------------------------------- Q9CPRS.so

// `database` is the GENERAL/DATABASE value: a name without '/' means
// <data>/<name>.db (an empty name means "master"), a path containing '/' is
// used as given. `flags` must be 0.
// Q9Compress writes a gzip copy to "<database file>.gz" through a temporary
// file renamed into place (a crash leaves the previous backup whole). When a
// -wal file exists it is checkpointed first; the caller closes its own
// connections beforehand. Q9Uncompress restores the database file from that
// copy the same way, after checking the whole copy decompresses, and removes
// stale -wal, -shm and -journal files beside it.
// Both return 1 on success, 0 on failure (nothing is changed on failure).
typedef int (*Q9CompressFn)(const char* database, int flags);
typedef int (*Q9UncompressFn)(const char* database, int flags);

// ---------------------------------------------------------------- Q9INET.so

// Non-zero when the machine has a usable network route without dialling: an
// active default route (IPv4 or IPv6). `reserved` must be 0. The environment
// variable ZEV_NETWORK_USABLE=1 or =0 overrides the answer (tests, kiosks).
typedef int (*Q9TestConnectionFn)(int reserved);

// Result codes of PostDataT2.
enum Q9PostResult {
    Q9POST_OK = 0,              // the server answered 2xx; the body is in the reply file
    Q9POST_BAD_ARGUMENTS = 1,   // null path, no host given, malformed URL, port out of range
    Q9POST_UNREACHABLE = 2,     // neither host could be resolved or connected to
    Q9POST_TIMED_OUT = 3,       // the time-out passed before the reply was complete
    Q9POST_TLS_FAILED = 4,      // the https handshake failed (no common protocol, not a TLS server)
    Q9POST_TRANSFER_FAILED = 5, // connected, but the exchange broke (no or partial reply)
    Q9POST_HTTP_ERROR = 6,      // the server answered with a non-2xx status
    Q9POST_REPLY_FILE = 7,      // the reply file could not be written
    Q9POST_INTERNAL = 8,        // the HTTP library could not be initialised
    Q9POST_CERT_UNTRUSTED = 9   // the server's certificate is not trusted for the host
};

// POSTs `body` (sent as given, application/x-www-form-urlencoded; null means
// empty) to `path` on `host`, and on `backupHost` only when nothing could have
// been delivered to `host`: empty host, name resolution failure, connection
// refused or failed, time-out while connecting, TLS handshake or certificate
// failure. It is never retried after an HTTP answer or once the request was
// sent (a repeated upload could be taken twice). The result is then the
// backup host's.
// A host written "https://name" is contacted with TLS and verified
// certificates (the environment variable ZEV_CA_FILE names a CA bundle to
// trust instead of the system's, for test servers); "http://name" or a bare
// name is plain http. A port written into the host ("name:8080") wins over
// `port`; `port` 0 means 80, or 443 for https, and so does 80 (the settings'
// default) for an https host.
// `timeoutMs` bounds the whole call, both hosts together (0 or less means
// 180000); with a backup host, connecting to the first may take at most half
// of it (30 s at most).
// `sink` receives progress percentages with empty texts (may be null).
// The reply file <data>/Temp/$dltemp.txt is removed at the start of every call
// and, only on Q9POST_OK, holds the reply body (written to a temporary file
// and renamed), so a failed exchange never leaves an older reply to be read
// as its own. One call runs at a time within the process.
typedef int (*PostDataT2Fn)(const char* host, const char* backupHost, const char* path, const char* body, int timeoutMs,
                            Q9ProgressSink* sink, int port);

// The same exchange with the reply going to `replyFile`, a path the caller
// names, instead of the one reply file; optional entry point (the program
// falls back to PostDataT2 without it). Arguments and result codes as for
// PostDataT2, and the same rules for the file: removed at the start of every
// call, written to a temporary file beside it and renamed, and holding the
// reply body only on Q9POST_OK. Calls naming different files may run at once
// on different threads (and beside PostDataT2); the folder must exist.
// `cancel`, when not null, is read atomically while the call runs: once it
// points to a non-zero value the call ends early with
// Q9POST_TRANSFER_FAILED (the request may have been delivered) and no file.
// A null or empty `replyFile` gives Q9POST_BAD_ARGUMENTS.
typedef int (*Q9PostToFileFn)(const char* host, const char* backupHost, const char* path, const char* body,
                              int timeoutMs, Q9ProgressSink* sink, int port, const char* replyFile, const int* cancel);

// --------------------------------------------------------------- PRICING.so

// Prices an item from the PricingScheme table (rules: plugins/pricing/PRICING.md).
// Arguments, all texts:
//   item     item number ("%d")
//   deal     deal code / price tier ("%u"; "0" = base price)
//   catalog  catalogue number ("%d")
//   qty      quantity in units ("%d"; "0" = plain tier price, no quantity break)
//   r5..r9   reserved, pass empty texts
//   caseOut, singleOut  buffers of Q9_PRICE_BUFFER_SIZE bytes receiving the case
//            and single-unit price as "%.2f" texts, zero-terminated.
// Returns 1 on success; 0 on failure (no price row for the item, bad numbers,
// no database), in which case the output buffers are left untouched.
// Safe to call from any thread.
typedef int (*Q9CalculatePriceFn)(const char* item, const char* deal, const char* catalog, const char* qty,
                                  const char* r5, const char* r6, const char* r7, const char* r8, const char* r9,
                                  char* caseOut, char* singleOut);

// Walks the price tiers of an item (its lowest-catalogue price row):
//   item     item number ("%d"); an empty text fails
//   index    0-based index among the tiers whose case price is above 0 ("%d")
//   r3..r6   reserved, pass empty texts
//   breakQtyOut  receives the quantity (units) of the row's first break, 0 if none ("%d")
//   tierOut      receives the tier number / deal code ("%d")
//   caseOut      receives the tier's case price ("%.2f")
//   singleOut    receives the tier's single-unit price ("%.2f")
// Output buffers are Q9_PRICE_BUFFER_SIZE bytes. Returns 1 when entry `index`
// exists; 0 past the last tier or on failure (outputs untouched).
typedef int (*Q9EnumeratePricesFn)(const char* item, const char* index, const char* r3, const char* r4, const char* r5,
                                   const char* r6, char* breakQtyOut, char* tierOut, char* caseOut, char* singleOut);

// Closes the pricing database connection; the next price call reopens it.
// Always returns 1. (Each call also reopens by itself when the database file
// was replaced, e.g. by a restore or a rebuild.)
typedef int (*Q9ClosePricingFn)(void);

// Names the pricing database file (absolute path; null or empty returns to
// the default). Optional entry point; without it PRICING.so uses
// $ZEV_PRICING_DB, else <data>/master.db. Closes any open connection so the
// next call uses the new file.
typedef void (*Q9SetPricingDatabaseFn)(const char* path);

// ------------------------------------------------------------- prototypes

// Declared for the libraries themselves; the program uses the types above.
Q9_EXPORT int Q9Hash(const char* text, char* out, int size);
Q9_EXPORT int Q9HashFile(const char* path, char* out, int size);
Q9_EXPORT int Q9SetTime(int year, int month, int day, int hour, int minute, int second);
Q9_EXPORT int Q9Connect(const char* name, void* owner);
Q9_EXPORT int Q9Disconnect(void);
Q9_EXPORT int Q9IsConnected(void);
Q9_EXPORT void Q9SetDataDir(const char* dir);

Q9_EXPORT int Q9Compress(const char* database, int flags);
Q9_EXPORT int Q9Uncompress(const char* database, int flags);

Q9_EXPORT int Q9TestConnection(int reserved);
Q9_EXPORT int PostDataT2(const char* host, const char* backupHost, const char* path, const char* body, int timeoutMs,
                         Q9ProgressSink* sink, int port);
Q9_EXPORT int Q9PostToFile(const char* host, const char* backupHost, const char* path, const char* body, int timeoutMs,
                           Q9ProgressSink* sink, int port, const char* replyFile, const int* cancel);

Q9_EXPORT int Q9CalculatePrice(const char* item, const char* deal, const char* catalog, const char* qty, const char* r5,
                               const char* r6, const char* r7, const char* r8, const char* r9, char* caseOut,
                               char* singleOut);
Q9_EXPORT int Q9EnumeratePrices(const char* item, const char* index, const char* r3, const char* r4, const char* r5,
                                const char* r6, char* breakQtyOut, char* tierOut, char* caseOut, char* singleOut);
Q9_EXPORT int Q9ClosePricing(void);
Q9_EXPORT void Q9SetPricingDatabase(const char* path);

#ifdef __cplusplus
}
#endif
