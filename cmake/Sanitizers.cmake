# Address and undefined-behaviour sanitizers, float-cast-overflow included, with no recovery:
# any finding fails the test that caused it.
if(ORVANE_SANITIZE)
    set(ORVANE_SAN_FLAGS -fsanitize=address,undefined,float-cast-overflow
        -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${ORVANE_SAN_FLAGS})
    add_link_options(${ORVANE_SAN_FLAGS})
endif()
