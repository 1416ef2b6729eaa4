# One interface target carries the language standard, the warnings and the sanitizers, so
# every target of the project is built the same way.
add_library(tramora_options INTERFACE)
add_library(Tramora::options ALIAS tramora_options)

target_compile_features(tramora_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(tramora_options INTERFACE -Wall -Wextra)
target_compile_definitions(tramora_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)

if(TRAMORA_STRICT)
    target_compile_options(tramora_options INTERFACE
        -Werror -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(tramora_options INTERFACE -fsanitize=address,undefined)
endif()
