# The README's session on the example replays.
examples
args: examples/01_rokan2_bl1_xrt.spr examples/02_speedy_bl1_xrt.spr examples/03_mika_bl1_xrt.spr examples/04_rokan2_as3r_fxo.spr examples/05_mika_fe2r_rb4.spr examples/06_speedy_so4_lx6.spr examples/07_lena_we1r_fzr.spr examples/08_lena_ky3_uf1.spr examples/09_rokan2_bl1_xrt_faster.spr
stdin:
<pdb -cs xrt bl1
<find rokan2
<q
stdout:
|\texamples/01_rokan2_bl1_xrt.spr loaded!$
|\tappended at pos 0$
|\texamples/02_speedy_bl1_xrt.spr loaded!$
|\tinserted at pos: 0$
|\texamples/03_mika_bl1_xrt.spr loaded!$
|\tappended at pos 2$
|\texamples/04_rokan2_as3r_fxo.spr loaded!$
|\tappended at pos 0$
|\texamples/05_mika_fe2r_rb4.spr loaded!$
|\tappended at pos 0$
|\texamples/06_speedy_so4_lx6.spr loaded!$
|\tappended at pos 0$
|\texamples/07_lena_we1r_fzr.spr loaded!$
|\tappended at pos 0$
|\texamples/08_lena_ky3_uf1.spr loaded!$
|\tappended at pos 0$
|\texamples/09_rokan2_bl1_xrt_faster.spr loaded!$
|\tabout to update racer's laptime$
|\tinserted at pos: 0$
|ZEB> $
|track:Blackwood, car:xrt, shtrack:bl1$
|$
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tBL1\tXR GT TURBO    \t01:22.987 (8)$
|1\tspeedy\t\tBL1\tXR GT TURBO    \t01:23.100 (5)$
|2\tmika\t\tBL1\tXR GT TURBO    \t01:24.050 (2)$
|$
|ZEB> rokan2 found on track Aston (as3r) with FXO TURBO, at pos 0$
|rokan2 found on track Blackwood (bl1) with XR GT TURBO, at pos 0$
|ZEB> %
