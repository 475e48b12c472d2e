# 150 replays fill one ranking; after that it refuses every offer, even a
# racer's own better time, until an entry is deleted.
replay-python [(f"r{i:03}.spr", [f"racer=racer{i}", f"time=1,{20 + i // 100},{i % 100},0"]) for i in range(150)]
replay fast.spr racer=newcomer time=0,59,0,0
replay better.spr racer=racer7 time=0,58,0,0
args-python: [f"r{i:03}.spr" for i in range(150)]
stdin:
<l fast.spr
<l better.spr
<find racer149
<d -r racer0
<y
<l fast.spr
<find newcomer
<find racer149
<q
stdout:
|\tr000.spr loaded!$
|\tappended at pos 0$
|\tr001.spr loaded!$
|\tappended at pos 1$
|\tr002.spr loaded!$
|\tappended at pos 2$
|\tr003.spr loaded!$
|\tappended at pos 3$
|\tr004.spr loaded!$
|\tappended at pos 4$
|\tr005.spr loaded!$
|\tappended at pos 5$
|\tr006.spr loaded!$
|\tappended at pos 6$
|\tr007.spr loaded!$
|\tappended at pos 7$
|\tr008.spr loaded!$
|\tappended at pos 8$
|\tr009.spr loaded!$
|\tappended at pos 9$
|\tr010.spr loaded!$
|\tappended at pos 10$
|\tr011.spr loaded!$
|\tappended at pos 11$
|\tr012.spr loaded!$
|\tappended at pos 12$
|\tr013.spr loaded!$
|\tappended at pos 13$
|\tr014.spr loaded!$
|\tappended at pos 14$
|\tr015.spr loaded!$
|\tappended at pos 15$
|\tr016.spr loaded!$
|\tappended at pos 16$
|\tr017.spr loaded!$
|\tappended at pos 17$
|\tr018.spr loaded!$
|\tappended at pos 18$
|\tr019.spr loaded!$
|\tappended at pos 19$
|\tr020.spr loaded!$
|\tappended at pos 20$
|\tr021.spr loaded!$
|\tappended at pos 21$
|\tr022.spr loaded!$
|\tappended at pos 22$
|\tr023.spr loaded!$
|\tappended at pos 23$
|\tr024.spr loaded!$
|\tappended at pos 24$
|\tr025.spr loaded!$
|\tappended at pos 25$
|\tr026.spr loaded!$
|\tappended at pos 26$
|\tr027.spr loaded!$
|\tappended at pos 27$
|\tr028.spr loaded!$
|\tappended at pos 28$
|\tr029.spr loaded!$
|\tappended at pos 29$
|\tr030.spr loaded!$
|\tappended at pos 30$
|\tr031.spr loaded!$
|\tappended at pos 31$
|\tr032.spr loaded!$
|\tappended at pos 32$
|\tr033.spr loaded!$
|\tappended at pos 33$
|\tr034.spr loaded!$
|\tappended at pos 34$
|\tr035.spr loaded!$
|\tappended at pos 35$
|\tr036.spr loaded!$
|\tappended at pos 36$
|\tr037.spr loaded!$
|\tappended at pos 37$
|\tr038.spr loaded!$
|\tappended at pos 38$
|\tr039.spr loaded!$
|\tappended at pos 39$
|\tr040.spr loaded!$
|\tappended at pos 40$
|\tr041.spr loaded!$
|\tappended at pos 41$
|\tr042.spr loaded!$
|\tappended at pos 42$
|\tr043.spr loaded!$
|\tappended at pos 43$
|\tr044.spr loaded!$
|\tappended at pos 44$
|\tr045.spr loaded!$
|\tappended at pos 45$
|\tr046.spr loaded!$
|\tappended at pos 46$
|\tr047.spr loaded!$
|\tappended at pos 47$
|\tr048.spr loaded!$
|\tappended at pos 48$
|\tr049.spr loaded!$
|\tappended at pos 49$
|\tr050.spr loaded!$
|\tappended at pos 50$
|\tr051.spr loaded!$
|\tappended at pos 51$
|\tr052.spr loaded!$
|\tappended at pos 52$
|\tr053.spr loaded!$
|\tappended at pos 53$
|\tr054.spr loaded!$
|\tappended at pos 54$
|\tr055.spr loaded!$
|\tappended at pos 55$
|\tr056.spr loaded!$
|\tappended at pos 56$
|\tr057.spr loaded!$
|\tappended at pos 57$
|\tr058.spr loaded!$
|\tappended at pos 58$
|\tr059.spr loaded!$
|\tappended at pos 59$
|\tr060.spr loaded!$
|\tappended at pos 60$
|\tr061.spr loaded!$
|\tappended at pos 61$
|\tr062.spr loaded!$
|\tappended at pos 62$
|\tr063.spr loaded!$
|\tappended at pos 63$
|\tr064.spr loaded!$
|\tappended at pos 64$
|\tr065.spr loaded!$
|\tappended at pos 65$
|\tr066.spr loaded!$
|\tappended at pos 66$
|\tr067.spr loaded!$
|\tappended at pos 67$
|\tr068.spr loaded!$
|\tappended at pos 68$
|\tr069.spr loaded!$
|\tappended at pos 69$
|\tr070.spr loaded!$
|\tappended at pos 70$
|\tr071.spr loaded!$
|\tappended at pos 71$
|\tr072.spr loaded!$
|\tappended at pos 72$
|\tr073.spr loaded!$
|\tappended at pos 73$
|\tr074.spr loaded!$
|\tappended at pos 74$
|\tr075.spr loaded!$
|\tappended at pos 75$
|\tr076.spr loaded!$
|\tappended at pos 76$
|\tr077.spr loaded!$
|\tappended at pos 77$
|\tr078.spr loaded!$
|\tappended at pos 78$
|\tr079.spr loaded!$
|\tappended at pos 79$
|\tr080.spr loaded!$
|\tappended at pos 80$
|\tr081.spr loaded!$
|\tappended at pos 81$
|\tr082.spr loaded!$
|\tappended at pos 82$
|\tr083.spr loaded!$
|\tappended at pos 83$
|\tr084.spr loaded!$
|\tappended at pos 84$
|\tr085.spr loaded!$
|\tappended at pos 85$
|\tr086.spr loaded!$
|\tappended at pos 86$
|\tr087.spr loaded!$
|\tappended at pos 87$
|\tr088.spr loaded!$
|\tappended at pos 88$
|\tr089.spr loaded!$
|\tappended at pos 89$
|\tr090.spr loaded!$
|\tappended at pos 90$
|\tr091.spr loaded!$
|\tappended at pos 91$
|\tr092.spr loaded!$
|\tappended at pos 92$
|\tr093.spr loaded!$
|\tappended at pos 93$
|\tr094.spr loaded!$
|\tappended at pos 94$
|\tr095.spr loaded!$
|\tappended at pos 95$
|\tr096.spr loaded!$
|\tappended at pos 96$
|\tr097.spr loaded!$
|\tappended at pos 97$
|\tr098.spr loaded!$
|\tappended at pos 98$
|\tr099.spr loaded!$
|\tappended at pos 99$
|\tr100.spr loaded!$
|\tappended at pos 100$
|\tr101.spr loaded!$
|\tappended at pos 101$
|\tr102.spr loaded!$
|\tappended at pos 102$
|\tr103.spr loaded!$
|\tappended at pos 103$
|\tr104.spr loaded!$
|\tappended at pos 104$
|\tr105.spr loaded!$
|\tappended at pos 105$
|\tr106.spr loaded!$
|\tappended at pos 106$
|\tr107.spr loaded!$
|\tappended at pos 107$
|\tr108.spr loaded!$
|\tappended at pos 108$
|\tr109.spr loaded!$
|\tappended at pos 109$
|\tr110.spr loaded!$
|\tappended at pos 110$
|\tr111.spr loaded!$
|\tappended at pos 111$
|\tr112.spr loaded!$
|\tappended at pos 112$
|\tr113.spr loaded!$
|\tappended at pos 113$
|\tr114.spr loaded!$
|\tappended at pos 114$
|\tr115.spr loaded!$
|\tappended at pos 115$
|\tr116.spr loaded!$
|\tappended at pos 116$
|\tr117.spr loaded!$
|\tappended at pos 117$
|\tr118.spr loaded!$
|\tappended at pos 118$
|\tr119.spr loaded!$
|\tappended at pos 119$
|\tr120.spr loaded!$
|\tappended at pos 120$
|\tr121.spr loaded!$
|\tappended at pos 121$
|\tr122.spr loaded!$
|\tappended at pos 122$
|\tr123.spr loaded!$
|\tappended at pos 123$
|\tr124.spr loaded!$
|\tappended at pos 124$
|\tr125.spr loaded!$
|\tappended at pos 125$
|\tr126.spr loaded!$
|\tappended at pos 126$
|\tr127.spr loaded!$
|\tappended at pos 127$
|\tr128.spr loaded!$
|\tappended at pos 128$
|\tr129.spr loaded!$
|\tappended at pos 129$
|\tr130.spr loaded!$
|\tappended at pos 130$
|\tr131.spr loaded!$
|\tappended at pos 131$
|\tr132.spr loaded!$
|\tappended at pos 132$
|\tr133.spr loaded!$
|\tappended at pos 133$
|\tr134.spr loaded!$
|\tappended at pos 134$
|\tr135.spr loaded!$
|\tappended at pos 135$
|\tr136.spr loaded!$
|\tappended at pos 136$
|\tr137.spr loaded!$
|\tappended at pos 137$
|\tr138.spr loaded!$
|\tappended at pos 138$
|\tr139.spr loaded!$
|\tappended at pos 139$
|\tr140.spr loaded!$
|\tappended at pos 140$
|\tr141.spr loaded!$
|\tappended at pos 141$
|\tr142.spr loaded!$
|\tappended at pos 142$
|\tr143.spr loaded!$
|\tappended at pos 143$
|\tr144.spr loaded!$
|\tappended at pos 144$
|\tr145.spr loaded!$
|\tappended at pos 145$
|\tr146.spr loaded!$
|\tappended at pos 146$
|\tr147.spr loaded!$
|\tappended at pos 147$
|\tr148.spr loaded!$
|\tappended at pos 148$
|\tr149.spr loaded!$
|\tappended at pos 149$
|ZEB> \tfast.spr loaded!$
|\tdatabase was full$
|ZEB> \tbetter.spr loaded!$
|\tdatabase was full$
|ZEB> racer149 found on track Blackwood (bl1) with XR GT TURBO, at pos 149$
|ZEB> delete racer racer0 from everywhere (y/)? \tdeletion completed succesfully$
|$
|ZEB> \tfast.spr loaded!$
|\tinserted at pos: 0$
|ZEB> newcomer found on track Blackwood (bl1) with XR GT TURBO, at pos 0$
|ZEB> racer149 found on track Blackwood (bl1) with XR GT TURBO, at pos 149$
|ZEB> %
