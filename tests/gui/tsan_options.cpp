// Under ThreadSanitizer: Qt is not built with it, so Qt's own threads (its thread pool, its
// threaded image drawing) and its event queue look racy to it. Accesses made inside Qt's
// libraries are left out; every access of this program's code is still checked, and the
// window hands work between threads through queues whose mutexes the sanitizer sees.

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define SANXING_TSAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define SANXING_TSAN 1
#endif

#ifdef SANXING_TSAN
extern "C" const char* __tsan_default_options() { return "ignore_noninstrumented_modules=1"; }
#endif
