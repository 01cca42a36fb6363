#pragma once

#include <string_view>

#include "platform/DateTime.h"

// The moment a file's name records, for files that hold no date of their own. The
// patterns, tried in this order, each from the start of the name, letter case ignored
// (Y M D h m s f stand for digits of the year, month, day, hour, minute, second and
// millisecond):
//
//   IMG_YYYYMMDD_hhmmss, VID_YYYYMMDD_hhmmss      Android cameras
//   PXL_YYYYMMDD_hhmmssfff                         Google Pixel, in UTC
//   YYYYMMDD_hhmmss                                Samsung (also with a burst number _123)
//   IMG-YYYYMMDD-WA, VID-YYYYMMDD-WA               WhatsApp: the day only, at 00:00:00
//   Screenshot_YYYY-MM-DD-hh-mm-ss                 Android screenshots
//   Screenshot_YYYYMMDD-hhmmss
//   Screenshot YYYY-MM-DD at hh.mm.ss              macOS (also "Screen Shot ...")
//   signal-YYYY-MM-DD-hhmmss                       Signal
//   photo_YYYY-MM-DD_hh-mm-ss                      Telegram
//   FB_IMG_ and 13 digits                          Facebook: milliseconds since 1970, UTC
//   YYYY-MM-DD hh.mm.ss, YYYY-MM-DD_hh-mm-ss       Dropbox and other uploaders
//
// A pattern that ends in digits matches only where no further digit follows (a longer
// number is a serial number, not a date). What matches must be a real calendar moment
// from 1990-01-01 up to `latest` (a day after now, as the caller says); UTC moments are
// turned into this computer's local time at that moment first.
//
// The local date-time with milliseconds, or 0 when no pattern gives one.
TDateTime DateFromFileName(std::string_view name, TDateTime latest);
