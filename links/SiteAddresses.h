#pragma once

// The pages the program opens. Their hosts are set when the program is built.
inline constexpr char OfficialSiteHost[] = QT_OFFICIAL_SITE_HOST;
inline constexpr char AdPageUrl[] = "http://" QT_AD_SITE_HOST "/wb008.htm?from=143885&gid=5";
inline constexpr char OfficialSiteUrl[] = "http://" QT_OFFICIAL_SITE_HOST "/";
// What the hyperlink box opens until the program points it elsewhere.
inline constexpr char HyperlinkStoredAddress[] = QT_OFFICIAL_SITE_HOST "\r\n";
