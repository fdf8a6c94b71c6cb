# The maker's facts, in one place for the program (as compile definitions,
# read by logic/programinfo.h), its Debian package and its AppStream metadata.
# The release number is project(VERSION) in the top-level CMakeLists.txt.
set(VELLUMARK_MAKER "Orvandi Teodrin")
set(VELLUMARK_MAKER_EMAIL "vellumark@orvandi.example")
set(VELLUMARK_HOMEPAGE "https://www.orvandi.example/vellumark/")
# The day this release was made, as the metadata and the changelog give it.
set(VELLUMARK_RELEASE_DATE "2026-12-08")

add_compile_definitions(VELLUMARK_MAKER_EMAIL="${VELLUMARK_MAKER_EMAIL}"
                        VELLUMARK_HOMEPAGE="${VELLUMARK_HOMEPAGE}")
