/* The program's version data: read by the Windows resource script for the
   version resource and compiled into the program elsewhere, so that both
   carry the same block. */
#pragma once

#define OSTREL_VERSION_NUMBERS 1,0,0,2
#define OSTREL_FILE_VERSION "1.0.0.2"
#define OSTREL_PRODUCT_VERSION "1.0.0.2"
#define OSTREL_TRANSLATION_LANGUAGE 0x0411 /* Japanese */
#define OSTREL_TRANSLATION_CODEPAGE 0x03A4 /* 932 */
#define OSTREL_STRING_BLOCK "041103A4"
#define OSTREL_FILE_DESCRIPTION "OstrelScript ビューアー"
#define OSTREL_INTERNAL_NAME "ostrelview"
#define OSTREL_ORIGINAL_FILENAME "ostrelview.exe"
#define OSTREL_COMMENTS "Torvex のバトルロイヤルで出力したスクリプトファイルを再生します"
/* The file whose version the window shows, looked up by this bare name. */
#define OSTREL_VERSION_FILE "OstrelView.exe"
