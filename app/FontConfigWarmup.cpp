#include "FontConfigWarmup.h"

#ifdef HUEWRIGHT_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigWarmup::FontConfigWarmup()
{
#ifdef HUEWRIGHT_FONTCONFIG
    m_thread = std::thread([] { FcInit(); });
#endif
}

FontConfigWarmup::~FontConfigWarmup()
{
    wait();
}

void FontConfigWarmup::wait()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}
