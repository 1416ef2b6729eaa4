# The central's endpoints compiled into the core. The real hosts are set by whoever packages
# the application; the defaults lie under the reserved ".invalid" domain so that a build
# made without them can never reach a stranger's server. scripts/run.sh points them at the
# demo central on 127.0.0.1.
set(TRAMORA_CENTRAL_FTP_HOST "ftp.central.invalid" CACHE STRING
    "Host name of the central's FTPS server")
set(TRAMORA_CENTRAL_FTP_PORT "2122" CACHE STRING
    "Port of the central's FTPS server")
set(TRAMORA_CENTRAL_HTTPS_BASE "https://servicos.central.invalid" CACHE STRING
    "Base address of the central's HTTPS service, without trailing slash")
if(NOT TRAMORA_CENTRAL_FTP_PORT MATCHES "^[0-9]+$")
    message(FATAL_ERROR "TRAMORA_CENTRAL_FTP_PORT must be a port number")
endif()
