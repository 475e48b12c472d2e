#!/bin/sh
# Writes the example replays with the project's fixture builder:
#   examples/make_examples.sh build/make_replay
# They are committed; run this again only to change them.
set -eu
make_replay=${1:?usage: make_examples.sh PATH_TO_make_replay}
cd "$(dirname "$0")"
rm -f ./*.spr
r() { "$make_replay" "$@"; }
r 01_rokan2_bl1_xrt.spr racer=rokan2 track=Blackwood code=BL1 car="XR GT TURBO" time=1,23,45,6 lap=3 splits=4 split1=27500 split2=55010 split3=70120 local=rokan2
r 02_speedy_bl1_xrt.spr racer=speedy track=Blackwood code=BL1 car="XR GT TURBO" time=1,23,10,0 lap=5 splits=4 local=speedy
r 03_mika_bl1_xrt.spr racer=mika track=Blackwood code=BL1 car="XR GT TURBO" time=1,24,5,0 lap=2 splits=4 local=mika
r 04_rokan2_as3r_fxo.spr racer=rokan2 track=Aston code= config=3 reversed=1 car="FXO TURBO" time=2,5,31,0 lap=4 splits=3 local=rokan2
r 05_mika_fe2r_rb4.spr racer=mika track="Fern Bay" code=FE2R car="RB4 GT" time=1,10,20,0 lap=6 splits=2 local=mika
r 06_speedy_so4_lx6.spr racer=speedy track="South City" code=SO4 car=LX6 time=1,31,2,5 lap=2 splits=3 local=speedy
r 07_lena_we1r_fzr.spr racer=lena track=Westhill code=WE1R car="FZ50 GTR" time=1,52,74,1 lap=7 splits=4 local=lena
r 08_lena_ky3_uf1.spr racer=lena track="Kyoto Ring" code= config=3 car="UF 1000" time=2,18,3,3 lap=1 splits=1 local=lena
r 09_rokan2_bl1_xrt_faster.spr racer=rokan2 track=Blackwood code=BL1 car="XR GT TURBO" time=1,22,98,7 lap=8 splits=4 local=rokan2
