#pragma once
// Downloads of price files over HTTP(S), or read from "file:" addresses (qt/PriceDownloads
// does them): at most four at a time, in an event loop of their own, so a window keeps
// drawing and answering meanwhile.
// The system's proxy settings (https_proxy, http_proxy, no_proxy) and certificates apply;
// certificates are always verified. At most 5 redirects, never from https: to http:; a
// download that receives nothing for 30 seconds is abandoned; an answer over 50 MB is
// refused. For tests only: KAPIBUCH_TEST_DOWNLOAD_TIMEOUT_MS and
// KAPIBUCH_TEST_DOWNLOAD_MAX_BYTES lower the two limits, KAPIBUCH_TEST_CA_FILE adds a
// certificate authority.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct Download {
  bool ok = false;
  std::string body;
  std::string error;  // why it failed: "Server antwortet 404", "Verbindung abgebrochen", ...
};

// Told, with how many downloads ended and how many started, after downloads start, after
// every one that ends and every 200 ms (the last one started is the one being fetched);
// returning true
// cancels the downloads still running or waiting (they end with error "abgebrochen").
using DownloadProgress = std::function<bool(std::size_t finished, std::size_t started)>;

// Fetches every address; the results in the order of the addresses.
using Downloader = std::function<std::vector<Download>(const std::vector<std::string>& addresses,
                                                       const DownloadProgress& progress)>;
std::vector<Download> DownloadAll(const std::vector<std::string>& addresses,
                                  const DownloadProgress& progress);

}  // namespace platform
