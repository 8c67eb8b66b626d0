// Resource ids shared by zantiro.rc and the C++ code that loads the embedded assets.
#pragma once

#define IDI_ZANTIRO 1       // application icon
#define IDR_TI_WAV 101      // warning sound, type "CUSTOM", Chinese (PRC) language
#define IDR_LING_WAV 102    // end bell, type "CUSTOM", Chinese (PRC) language
#define IDR_BACKGROUND 201  // background picture: background.jpg decoded, 24 bpp, RT_BITMAP
