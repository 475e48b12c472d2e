# Every row of pdb's decisions, on a store with entries across tracks, cars,
# layouts and racers.
replay 1.spr racer=rokan2 track=Blackwood code=BL1R car="XR GT TURBO" time=1,23,45,6 lap=3
replay 2.spr racer=speedy track=Blackwood code=BL1R car="XR GT TURBO" time=1,23,10,0 lap=5
replay 3.spr racer=rokan2 track=Blackwood code=BL1 car="XR GT TURBO" time=1,20,0,0 lap=1
replay 4.spr racer=rokan2 track=Aston code=AS7R car=MRT5 time=0,59,99,9 lap=2
replay 5.spr racer=mika track=Aston code=AS1 car="BMW SAUBER" time=1,1,1,1 lap=149
replay 6.spr racer=rokan2 track="Fern Bay" code=FE2R car="FZ50 GTR" time=1,10,0,0 lap=4
replay 7.spr racer=mika track="Fern Bay" code=FE2R car="FZ50 GTR" time=1,9,0,0 lap=4
replay 8.spr racer=rokan2 track=Westhill code=WE1R car="FXO TURBO" time=2,0,0,0 lap=6
replay 9.spr racer=Rokan2 track=Westhill code=WE1R car="FXO TURBO" time=2,1,0,0 lap=6
replay 10.spr racer=lena track="South City" code=SO5R car="XR GT" time=1,40,0,0 lap=250
replay 11.spr racer=rokan2 track="South City" code=SO5R car="XR GT" time=1,41,0,0 lap=1
replay 12.spr racer=lena track="Kyoto Ring" code=KY3R car="UF GTR" time=2,22,0,0 lap=2
replay 13.spr racer=rokan2 track=Blackwood code=BL1R car="BMW SAUBER" time=1,15,0,0 lap=2
args: 1.spr 2.spr 3.spr 4.spr 5.spr 6.spr 7.spr 8.spr 9.spr 10.spr 11.spr 12.spr 13.spr
stdin:
<pdb
<pdb x
<pdb -t bl xrt so1 so2
<pdb -x bl
<pdb -x bl1r xrt
<pdb -t bl
<pdb -T BL
<pdb -track so
<pdb -t xx
<pdb -c xrt
<pdb -CAR fxo
<pdb -c fxr
<pdb -c zzz
<pdb -s bl1r
<pdb -shorttrack WE1R
<pdb -s fe7r
<pdb -s bl9
<pdb -s x
<pdb -s as
<pdb -cs xrt
<pdb -combo xrt
<pdb -cs xrt bl1r
<pdb -CS BF1 BL1R
<pdb -cs fz5 fe2r
<pdb -cs abc bl1
<pdb -cs xrt bl9
<pdb -r rokan2
<pdb -racer Rokan2
<pdb -r nobody
<pdb -R lena
<pdb -t bl xrt
<pdb -c xrt bl1
<pdb -s bl1 x
<pdb -r rokan2 x
<q
stdout:
|\t1.spr loaded!$
|\tappended at pos 0$
|\t2.spr loaded!$
|\tinserted at pos: 0$
|\t3.spr loaded!$
|\tappended at pos 0$
|\t4.spr loaded!$
|\tappended at pos 0$
|\t5.spr loaded!$
|\tappended at pos 0$
|\t6.spr loaded!$
|\tappended at pos 0$
|\t7.spr loaded!$
|\tinserted at pos: 0$
|\t8.spr loaded!$
|\tappended at pos 0$
|\t9.spr loaded!$
|\tappended at pos 1$
|\t10.spr loaded!$
|\tappended at pos 0$
|\t11.spr loaded!$
|\tappended at pos 1$
|\t12.spr loaded!$
|\tappended at pos 0$
|\t13.spr loaded!$
|\tappended at pos 0$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tmika\t\tAS1\tBMW SAUBER     \t01:01.011 (149)$
|0\trokan2\t\tAS7R\tMRT5           \t00:59.999 (2)$
|0\trokan2\t\tBL1R\tBMW SAUBER     \t01:15.000 (2)$
|0\trokan2\t\tBL1\tXR GT TURBO    \t01:20.000 (1)$
|0\tspeedy\t\tBL1R\tXR GT TURBO    \t01:23.100 (5)$
|1\trokan2\t\tBL1R\tXR GT TURBO    \t01:23.456 (3)$
|0\tmika\t\tFE2R\tFZ50 GTR       \t01:09.000 (4)$
|1\trokan2\t\tFE2R\tFZ50 GTR       \t01:10.000 (4)$
|0\tlena\t\tKY3R\tUF GTR         \t02:22.000 (2)$
|0\tlena\t\tSO5R\tXR GT          \t01:40.000 (250)$
|1\trokan2\t\tSO5R\tXR GT          \t01:41.000 (1)$
|0\trokan2\t\tWE1R\tFXO TURBO      \t02:00.000 (6)$
|1\tRokan2\t\tWE1R\tFXO TURBO      \t02:01.000 (6)$
|$
|ZEB> \tsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]$
|ZEB> \tsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]$
|ZEB> \tvalid flags: -r, -t, -c, -s, -cs$
|ZEB> \tvalid flags: -r, -t, -c, -s, -cs$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tBL1R\tBMW SAUBER     \t01:15.000 (2)$
|0\trokan2\t\tBL1\tXR GT TURBO    \t01:20.000 (1)$
|0\tspeedy\t\tBL1R\tXR GT TURBO    \t01:23.100 (5)$
|1\trokan2\t\tBL1R\tXR GT TURBO    \t01:23.456 (3)$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tBL1R\tBMW SAUBER     \t01:15.000 (2)$
|0\trokan2\t\tBL1\tXR GT TURBO    \t01:20.000 (1)$
|0\tspeedy\t\tBL1R\tXR GT TURBO    \t01:23.100 (5)$
|1\trokan2\t\tBL1R\tXR GT TURBO    \t01:23.456 (3)$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tlena\t\tSO5R\tXR GT          \t01:40.000 (250)$
|1\trokan2\t\tSO5R\tXR GT          \t01:41.000 (1)$
|$
|ZEB> $
|\tvalid tracks: as, bl, fe, ky, so, we$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tBL1\tXR GT TURBO    \t01:20.000 (1)$
|0\tspeedy\t\tBL1R\tXR GT TURBO    \t01:23.100 (5)$
|1\trokan2\t\tBL1R\tXR GT TURBO    \t01:23.456 (3)$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tWE1R\tFXO TURBO      \t02:00.000 (6)$
|1\tRokan2\t\tWE1R\tFXO TURBO      \t02:01.000 (6)$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> $
|valid cars:$
|\tbf1, fo8, fox, fxo, fxr, fz5, fzr, lx4, lx6$
|\tmrt, rac, rb4, uf1, ufr, xfg, xfr, xrg, xrr, xrt$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tBL1R\tBMW SAUBER     \t01:15.000 (2)$
|0\tspeedy\t\tBL1R\tXR GT TURBO    \t01:23.100 (5)$
|1\trokan2\t\tBL1R\tXR GT TURBO    \t01:23.456 (3)$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tWE1R\tFXO TURBO      \t02:00.000 (6)$
|1\tRokan2\t\tWE1R\tFXO TURBO      \t02:01.000 (6)$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> $
|valid short-tracks:$
|\tas1, as2, as3, as4, as5, as6, as7$
|\tas1r, as2r, as3r, as4r, as5r, as6r, as7r$
|\tbl1, bl2, bl1r, bl2r$
|\tfe1, fe2, fe3, fe4, fe5, fe6$
|\tfe1R, fe2R, fe3R, fe4R, fe5r, fe6r$
|\tky1, ky2, ky3, ky1r, ky2R, ky3r$
|\tso1, so2, so3, so4, so5$
|\tso1r, so2r, so3r, so4r,so5r$
|\twe1, we1r$
|$
|ZEB> $
|valid short-tracks:$
|\tas1, as2, as3, as4, as5, as6, as7$
|\tas1r, as2r, as3r, as4r, as5r, as6r, as7r$
|\tbl1, bl2, bl1r, bl2r$
|\tfe1, fe2, fe3, fe4, fe5, fe6$
|\tfe1R, fe2R, fe3R, fe4R, fe5r, fe6r$
|\tky1, ky2, ky3, ky1r, ky2R, ky3r$
|\tso1, so2, so3, so4, so5$
|\tso1r, so2r, so3r, so4r,so5r$
|\twe1, we1r$
|$
|ZEB> $
|valid short-tracks:$
|\tas1, as2, as3, as4, as5, as6, as7$
|\tas1r, as2r, as3r, as4r, as5r, as6r, as7r$
|\tbl1, bl2, bl1r, bl2r$
|\tfe1, fe2, fe3, fe4, fe5, fe6$
|\tfe1R, fe2R, fe3R, fe4R, fe5r, fe6r$
|\tky1, ky2, ky3, ky1r, ky2R, ky3r$
|\tso1, so2, so3, so4, so5$
|\tso1r, so2r, so3r, so4r,so5r$
|\twe1, we1r$
|$
|ZEB> \tflag -cs expects a car and a short-track$
|ZEB> \tflag -cs expects a car and a short-track$
|ZEB> $
|track:Blackwood, car:xrt, shtrack:bl1r$
|$
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tspeedy\t\tBL1R\tXR GT TURBO    \t01:23.100 (5)$
|1\trokan2\t\tBL1R\tXR GT TURBO    \t01:23.456 (3)$
|$
|ZEB> $
|track:Blackwood, car:bf1, shtrack:bl1r$
|$
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tBL1R\tBMW SAUBER     \t01:15.000 (2)$
|$
|ZEB> $
|track:Fern Bay, car:fz5, shtrack:fe2r$
|$
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> $
|valid cars:$
|\tbf1, fo8, fox, fxo, fxr, fz5, fzr, lx4, lx6$
|\tmrt, rac, rb4, uf1, ufr, xfg, xfr, xrg, xrr, xrt$
|$
|ZEB> $
|valid short-tracks:$
|\tas1, as2, as3, as4, as5, as6, as7$
|\tas1r, as2r, as3r, as4r, as5r, as6r, as7r$
|\tbl1, bl2, bl1r, bl2r$
|\tfe1, fe2, fe3, fe4, fe5, fe6$
|\tfe1R, fe2R, fe3R, fe4R, fe5r, fe6r$
|\tky1, ky2, ky3, ky1r, ky2R, ky3r$
|\tso1, so2, so3, so4, so5$
|\tso1r, so2r, so3r, so4r,so5r$
|\twe1, we1r$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\trokan2\t\tAS7R\tMRT5           \t00:59.999 (2)$
|0\trokan2\t\tBL1R\tBMW SAUBER     \t01:15.000 (2)$
|0\trokan2\t\tBL1\tXR GT TURBO    \t01:20.000 (1)$
|1\trokan2\t\tBL1R\tXR GT TURBO    \t01:23.456 (3)$
|1\trokan2\t\tFE2R\tFZ50 GTR       \t01:10.000 (4)$
|1\trokan2\t\tSO5R\tXR GT          \t01:41.000 (1)$
|0\trokan2\t\tWE1R\tFXO TURBO      \t02:00.000 (6)$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|1\tRokan2\t\tWE1R\tFXO TURBO      \t02:01.000 (6)$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|$
|ZEB> $
|POS\tRACER\t\tsTRK\tCAR\t\tLAPTIME (LAP)$
|--------------------------------------------------------------$
|0\tlena\t\tKY3R\tUF GTR         \t02:22.000 (2)$
|0\tlena\t\tSO5R\tXR GT          \t01:40.000 (250)$
|$
|ZEB> \ttsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]$
|ZEB> \ttsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]$
|ZEB> \ttsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]$
|ZEB> \ttsyntax: pdb [-t track | -c car | -s shortrack] | [-cs car shorttrack]$
|ZEB> %
